#pragma once

// The schema's "show / hide" commands for one object's labels: a node's or a branch's
// number, a node's or a branch's results, a device's result. The clicked object decides the
// new value (the opposite of what it shows), and every selected object of the same kind
// takes the same value, so a group is switched with one command.

#include <QString>

class TMine;
class TMineObject;

namespace SchemaLabelToggles {

enum class TLabel { UzelNumber, BranchNumber, UzelResult, BranchResult, DeviceResult };

// The object whose label the command looks at, from the clicked one: node labels of a
// clicked branch are its start node's; none when the clicked object has no such label.
TMineObject* Reference(TMineObject* clicked, TLabel label);

// Whether the object shows the label.
bool Shown(const TMineObject& object, TLabel label);

// The command's caption: "Убрать …" while the label shows, "Показать …" while it does not.
QString Caption(TLabel label, bool shown);

// Switches the reference's label and gives every selected object of its kind the same
// value. Returns the objects changed.
int Toggle(TMine& mine, TMineObject& reference, TLabel label);

}  // namespace SchemaLabelToggles
