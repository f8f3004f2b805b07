#include "core/checks/ActivePipe.h"

#include "core/model/Pipe.h"

bool IsActivePipe(const TPipe* pipe, bool useProjectedPipes)
{
    return pipe && IsLaid(pipe) && (useProjectedPipes || !pipe->Projected());
}
