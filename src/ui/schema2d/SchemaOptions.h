#pragma once

// The options dialog of the schema, reached from the schema window (ActOptions).

#include "core/settings/Colors2D.h"
#include "core/settings/Params2D.h"

class QWidget;

namespace SchemaOptions {

// Whether this build has the dialog.
bool Available();
// Shows the dialog on the options; true when they were accepted (and may have changed).
bool Run(TParams2D& params, TColors2D& colors, QWidget* parent);

}  // namespace SchemaOptions
