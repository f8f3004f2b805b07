#pragma once

class QComboBox;

// Editable boxes whose typed text is taken as typed. Qt's own editable box completes the text
// inline from its list, taking the first entry that starts with what was typed: in a list that
// runs "1000%", "100%" … typing 100 shows and confirms 1000 %, and a number that is not listed
// turns into one that is. Every editable box of numbers goes through here instead.
namespace TypedComboBox {

// Turns the box editable (when it is not yet) and takes away its completion, so the edit holds
// exactly the keys pressed and Enter confirms that text. The list still drops down for a choice.
void Apply(QComboBox* box);

}  // namespace TypedComboBox
