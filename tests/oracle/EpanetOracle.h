#pragma once

// EPANET driven through its C API on an .inp file: the independent solver the network
// solver's results are compared with (tests and benchmarks only).

#include <string>
#include <unordered_map>

namespace EpanetOracle {

// An EPANET project on one input file, deleted with the object. Its report goes to a file
// beside the input (EPANET would print to standard output otherwise).
class TProject {
public:
    TProject();
    ~TProject();
    TProject(const TProject&) = delete;
    TProject& operator=(const TProject&) = delete;

    // EPANET's error code (0 when the file was read).
    int Open(const std::string& inpPath);
    // EN_solveH as it stands (hydraulics of every period, saved to EPANET's scratch file).
    int SolveH();
    // One period solved without the scratch file: EN_openH, EN_initH, EN_runH, EN_closeH.
    int SolveOnce();

    // Values by ID after a solve, in the file's units (metres, m3/h); NaN for an unknown ID.
    double Head(const std::string& junctionId) const;
    double Flow(const std::string& linkId) const;
    // Every node's head and link's flow by ID, flows converted to m3/s.
    std::unordered_map<std::string, double> Heads() const;
    std::unordered_map<std::string, double> FlowsSi() const;

    static std::string ErrorText(int code);

private:
    void* project_ = nullptr;
};

// The outcome of solving one file.
struct TResult {
    int Code = 0;  // EPANET's error (above 100) or warning (1..6) code of the open or the solve
    std::string Message;
    std::unordered_map<std::string, double> Heads;  // m
    std::unordered_map<std::string, double> Flows;  // m3/s
};

TResult Solve(const std::string& inpPath);

}  // namespace EpanetOracle
