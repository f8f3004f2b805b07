#include "FormatOption.h"

namespace Cli {

int WriteVersion(Arguments& args)
{
    const auto v = args.Integer(QStringLiteral("format"), 16, 17);
    return v ? static_cast<int>(*v) : 17;
}

}  // namespace Cli
