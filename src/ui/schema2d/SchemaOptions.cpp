#include "ui/schema2d/SchemaOptions.h"

#if __has_include("ui/schema2d/OptionsForm.h")
#include "ui/schema2d/OptionsForm.h"
#define IRVATA_HAS_OPTIONS_FORM 1
#else
#define IRVATA_HAS_OPTIONS_FORM 0
#endif

#include <QDialog>

namespace SchemaOptions {

bool Available()
{
    return IRVATA_HAS_OPTIONS_FORM != 0;
}

bool Run([[maybe_unused]] TParams2D& params, [[maybe_unused]] TColors2D& colors, [[maybe_unused]] QWidget* parent)
{
#if IRVATA_HAS_OPTIONS_FORM
    TOptionsForm form(params, colors, parent);
    return form.exec() == QDialog::Accepted;
#else
    return false;
#endif
}

}  // namespace SchemaOptions
