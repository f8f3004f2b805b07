#pragma once

class TPipe;

// A pipe takes part in the checks when it exists, is laid (gas pipes always are) and is
// not projected, unless the document counts projected pipes too.
bool IsActivePipe(const TPipe* pipe, bool useProjectedPipes);
