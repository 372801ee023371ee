#include "game/game_files.h"

#include "files/durable_file.h"
#include "files/native_file.h"
#include "files/native_path.h"
#include "game/save_format.h"

#include <filesystem>

namespace {

OpenedFiles refused(int status, const std::string& problem) {
    OpenedFiles opened;
    opened.problem = problem;
    opened.status = status;
    return opened;
}

std::string nameOf(const std::string& place) { return files::utf8Path(files::nativePath(place).filename()); }

std::string folderOf(const std::string& place) { return files::utf8Path(files::nativePath(place).parent_path()); }

// True when the history would write into the save, its lock or its
// temporary files, by the same name or another.
bool historyIsSaveFile(const std::string& savePath, const std::string& historyPath) {
    const std::string save = files::placeOf(files::finalTarget(savePath));
    const std::string history = files::placeOf(historyPath);
    const bool besideSave = folderOf(history) == folderOf(save) || files::sameFile(folderOf(history), folderOf(save));
    return history == save || history == save + ".lock" || files::sameFile(savePath, historyPath) ||
           (besideSave && files::isTemporaryName(nameOf(save), nameOf(history)));
}

// Why the history cannot be appended to; empty when it can.
std::string historyUnusable(const std::string& path) {
    if (std::string why = files::unusableAsFile(path, true); !why.empty()) {
        return why;
    }
    files::NativeFile file;
    std::string start;
    const std::string tagLine = std::string(saveFormat::tag) + '\n';
    if (file.open(path, files::NativeFile::Mode::read) && file.kind() == files::PathKind::regular &&
        file.readAt(0, tagLine.size(), start) && start == tagLine) {
        return "it is a brannocktide save, not a history";
    }
    return "";
}

} // namespace

OpenedFiles openGameFiles(const CommandLine& line) {
    if (line.savePath && line.historyPath && historyIsSaveFile(*line.savePath, *line.historyPath)) {
        return refused(badCommandLineStatus, "--history '" + *line.historyPath +
                                                 "' is the save's own file: name another file for the history");
    }
    if (line.historyPath) {
        if (const std::string why = historyUnusable(*line.historyPath); !why.empty()) {
            return refused(unusableFileStatus, "cannot append to the history file '" + *line.historyPath + "': " + why);
        }
    }
    OpenedFiles opened;
    if (line.savePath) {
        std::string problem;
        opened.files.save.emplace(*line.savePath);
        if (!opened.files.save->open(problem)) {
            return refused(unusableFileStatus, problem);
        }
        const std::optional<SavedGame>& kept = opened.files.save->loaded();
        if (kept && !kept->finished() && line.seed) {
            return refused(badCommandLineStatus, *line.savePath +
                                                     " holds an unfinished game, which goes on with its own deal: "
                                                     "leave out --seed, or name another file; " +
                                                     usageHint());
        }
    }
    if (line.historyPath) {
        std::string problem;
        opened.files.history = HistoryFile::open(*line.historyPath, problem);
        if (!opened.files.history) {
            return refused(unusableFileStatus,
                           "cannot append to the history file '" + *line.historyPath + "': " + problem);
        }
    }
    return opened;
}
