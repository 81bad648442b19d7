// quendry-wld render FILE.wld [--level Z | --all-levels] [-o OUT.png] [--scale N] [--full]
//                            [--zoom N] [--sectors] [--long-exits]
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/loaded_world.h"
#include "map/auto_placement.h"
#include "map/cell_drawing.h"
#include "map/exit_reach.h"
#include "world/strict_int.h"

namespace {

constexpr int kMaxScale = 16;
// Larger pictures cost gigabytes of memory and open in few viewers.
constexpr int kMaxPictureSide = 8192;

// Whether two names lead to the same file (or would, for a file not written yet).
bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::equivalent(a, b, error)) return true;
    const fs::path left = fs::weakly_canonical(a, error);
    if (error) return a == b;
    const fs::path right = fs::weakly_canonical(b, error);
    if (error) return a == b;
    return left == right;
}

std::optional<int> numberIn(const std::string& text, int low, int high) {
    const auto value = strictToInt(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return *value;
}

// "zone.wld" -> "zone-level5.png"; "out.png" -> "out-level5.png" (one file per level).
std::string levelFileName(const std::string& path, int level, bool stripExtension) {
    std::string base = path;
    const size_t slash = base.find_last_of('/');
    const size_t dot = base.find_last_of('.');
    if (stripExtension && dot != std::string::npos && (slash == std::string::npos || dot > slash)) base.erase(dot);
    return base + "-level" + std::to_string(level) + ".png";
}

// The level the editor's map opens on for this zone: the first room's, when it is on the
// map; else the lowest level holding rooms; else the map's starting level 5.
int defaultLevel(const LoadedWorld& world) {
    const RoomIndexNode* first = world.store.first();
    if (first && first->room->onMap()) return first->room->mapZ;
    for (int z = 0; z < kMapLevels; ++z)
        if (!occupiedCells(world.map.grid, z).isNull()) return z;
    return 5;
}

// Writes through a temporary file, so a failed write leaves an older picture whole.
std::string savePng(const QImage& image, const std::string& path) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return file.errorString().isEmpty() ? "the picture could not be written" : file.errorString().toStdString();
    }
    if (!file.commit()) return file.errorString().toStdString();
    return {};
}

}  // namespace

int runRender(const std::vector<std::string>& rawArgs) {
    // "-o" is the short form of "--output".
    std::vector<std::string> args;
    bool optionsEnded = false;
    for (const std::string& arg : rawArgs) {
        if (arg == "--") optionsEnded = true;
        args.push_back(!optionsEnded && arg == "-o" ? "--output" : arg);
    }
    const auto parsed =
        parseArgs(args, {"--all-levels", "--full", "--sectors", "--long-exits"}, {"--level", "--output", "--scale", "--zoom"});
    if (!parsed) return kExitUsage;
    if (parsed->operands.size() != 1) return usageError("render needs one world file");
    const bool allLevels = parsed->flags.count("--all-levels") > 0;
    const bool full = parsed->flags.count("--full") > 0;
    std::optional<int> level;
    if (auto it = parsed->values.find("--level"); it != parsed->values.end()) {
        if (allLevels) return usageError("render takes --level or --all-levels, not both");
        level = numberIn(it->second, 0, kMapLevels - 1);
        if (!level) return usageError("--level must be a level from 0 to 9, not '" + it->second + "'");
    }
    int scale = 1;
    if (auto it = parsed->values.find("--scale"); it != parsed->values.end()) {
        const auto n = numberIn(it->second, 1, kMaxScale);
        if (!n) return usageError("--scale must be a whole number from 1 to 16, not '" + it->second + "'");
        scale = *n;
    }
    // --zoom draws as the map window does at that zoom, labels included.
    LevelLook look;
    if (auto it = parsed->values.find("--zoom"); it != parsed->values.end()) {
        const auto n = numberIn(it->second, kMinZoom, kMaxZoom);
        if (!n) return usageError("--zoom must be a whole number from 1 to 4, not '" + it->second + "'");
        look.zoom = *n;
    }
    look.sectorColours = parsed->flags.count("--sectors") > 0;
    const bool longExits = parsed->flags.count("--long-exits") > 0;
    const std::string& in = parsed->operands[0];
    const auto output = parsed->values.find("--output");
    if (output != parsed->values.end() && output->second.empty()) return usageError("-o needs a file name");
    // A picture must never take the place of the zone it shows. (With --all-levels the
    // names end in "-levelZ.png" and cannot be either file.)
    if (output != parsed->values.end() && !allLevels &&
        (sameFile(output->second, in) || sameFile(output->second, mapFilePath(in))))
        return usageError(output->second + ": is the world file or its map position file; give the picture another name");
    if (!readableFile(in)) return kExitUsage;

    // Labels are drawn in a font, and fonts need a (display-less) application.
    std::unique_ptr<QGuiApplication> fonts;
    if (look.zoom >= kFirstLabelZoom && !QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quendry-wld";
        static char* argv[] = {name, nullptr};
        fonts = std::make_unique<QGuiApplication>(argc, argv);
    }

    LoadedWorld world;
    loadWorld(in, true, world);
    printMessages(in, world);

    std::vector<int> levels;
    if (allLevels) {
        for (int z = 0; z < kMapLevels; ++z)
            if (!occupiedCells(world.map.grid, z).isNull()) levels.push_back(z);
        if (levels.empty()) {
            std::fprintf(stderr, "quendry-wld: %s: no room is on the map\n", oneLine(in).c_str());
            return kExitMessages;
        }
    } else {
        levels.push_back(level ? *level : defaultLevel(world));
    }

    int result = world.messages.empty() ? kExitClean : kExitMessages;
    for (const int z : levels) {
        QRect cells(1, 1, kMapColumns, kMapRows);
        if (!full) {
            const QRect occupied = occupiedCells(world.map.grid, z);
            if (occupied.isNull()) {
                std::fprintf(stderr, "quendry-wld: %s: no room on level %d (--full draws the empty board)\n",
                             oneLine(in).c_str(), z);
                result = kExitMessages;
                continue;
            }
            cells = occupied.adjusted(-1, -1, 1, 1);  // a one-cell margin; the grid's edge clips it
        }
        const QSize cellsSize = cells.intersected(QRect(1, 1, kMapColumns, kMapRows)).size();
        const QSize pictureSize =
            QSize(cellsSize.width() * kCellPitch - 1, cellsSize.height() * kCellPitch - 1) * scale * look.zoom;
        if (pictureSize.width() > kMaxPictureSide || pictureSize.height() > kMaxPictureSide) {
            std::fprintf(stderr, "quendry-wld: %s: level %d would be %d x %d pixels, more than %d each way; use a smaller --scale\n",
                         oneLine(in).c_str(), z, pictureSize.width(), pictureSize.height(), kMaxPictureSide);
            result = kExitMessages;
            continue;
        }
        std::vector<LongExit> exits;
        if (longExits) {
            exits = longExitsOfLevel(world.map.grid, world.store, z);
            look.longExits = &exits;
        }
        QImage image = renderLevel(world.map.grid, z, cells, look);
        if (scale > 1) image = image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);

        std::string path;
        if (output == parsed->values.end()) path = levelFileName(in, z, true);
        else if (allLevels) path = levelFileName(output->second, z, true);
        else path = output->second;
        const std::string error = savePng(image, path);
        if (!error.empty()) {
            std::fprintf(stderr, "quendry-wld: %s: %s\n", oneLine(path).c_str(), oneLine(error).c_str());
            result = kExitMessages;
            continue;
        }
        std::printf("%s\n", oneLine(path).c_str());
    }
    return result;
}
