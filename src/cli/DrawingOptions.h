#pragma once

// What a drawing of the schema shows, as the command line says it: the options render and
// print share, read into one drawing description, and the network file laid out in the
// drawing's frame.

#include "CliSupport.h"

#include "core/file/NetworkFile.h"
#include "render/schema2d/SchemaDrawing.h"

#include <QStringList>

#include <optional>

namespace Cli {

// The drawing's options a command takes: --map-scale always, --bw always, and with the whole
// look also --pipe, --colour, --branch-info, --device-info, --profile, --no-node-numbers,
// --no-branch-numbers and --no-devices.
QStringList DrawingValueOptions(bool look);
QStringList DrawingFlags(bool look);

struct TDrawingChoice {
    // The settings' defaults the schema window starts with, as the options change them.
    TSchemaDrawing Drawing;
    // A colour profile file to read the colours from.
    std::optional<QString> Profile;
};

// Reads the drawing's options; none, with error set (when empty), for a bad value.
std::optional<TDrawingChoice> ReadDrawing(Arguments& a, QString& error);

// Reads the profile, then the network file with its schema positions at the drawing's map
// scale; the drawing's origin becomes the file's frame's. Throws as the readers do.
TNetworkDocument LoadDrawing(const QString& path, TDrawingChoice& choice);

}  // namespace Cli
