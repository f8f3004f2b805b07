#pragma once

// Finding an object on the schema: what to centre on, or why it cannot be shown.

#include <QString>

class TMineObject;

struct TSchemaFindResult {
    TMineObject* Target = nullptr;  // the object to centre and blink; null when Message says why
    QString Message;                // for a box captioned "Сообщение"
    bool ShowDevices = false;       // a device: the device display is switched on
};

namespace SchemaFind {

inline const QString kBranchNotFound = QStringLiteral("Выработка не найдена");

// A node, branch, device or plan position (its first branch is the target). An object on a
// branch without both end nodes, or on one whose plan position or seam is switched off, is
// refused with the reason; for a node the branch looked at is the last of its branches.
TSchemaFindResult Locate(TMineObject* object);

}  // namespace SchemaFind
