#pragma once

// What a drawing of the schema shows, as the command line says it: the options render and
// print share, read into one drawing description, and the network file laid out in the
// drawing's frame.

#include "CliSupport.h"

#include "core/file/NetworkFile.h"
#include "render/schema2d/SchemaDrawing.h"

#include <QStringList>

#include <memory>
#include <optional>

namespace Cli {

// The drawing's options a command takes: --map-scale, --colour, --results, --bw, --calc and
// --arrows always, and with the whole look also --pipe, --branch-info, --device-info,
// --profile, --no-node-numbers, --no-branch-numbers and --no-devices.
QStringList DrawingValueOptions(bool look);
QStringList DrawingFlags(bool look);

struct TDrawingChoice {
    // The settings' defaults the schema window starts with, as the options change them.
    TSchemaDrawing Drawing;
    // A colour profile file to read the colours from.
    std::optional<QString> Profile;
    // --calc: the hydraulic calculation runs on the loaded mine and the drawing shows its
    // results (the drawing points into them).
    bool Calculate = false;
    std::unique_ptr<THydroResults> Results;
};

// Reads the drawing's options; none, with error set (when empty), for a bad value.
std::optional<TDrawingChoice> ReadDrawing(Arguments& a, QString& error);

// Reads the profile, then the network file with its schema positions at the drawing's map
// scale; the drawing's origin becomes the file's frame's; with --calc the calculation's
// results. Throws as the readers do, and with the calculation's reason when it gives none.
TNetworkDocument LoadDrawing(const QString& path, TDrawingChoice& choice);

}  // namespace Cli
