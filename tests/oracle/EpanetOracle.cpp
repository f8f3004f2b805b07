#include "EpanetOracle.h"

#include "epanet2_2.h"

#include <cmath>
#include <limits>

namespace EpanetOracle {

namespace {

constexpr double kSecondsPerHour = 3600;

EN_Project Handle(void* p) { return static_cast<EN_Project>(p); }

}  // namespace

TProject::TProject()
{
    EN_Project p = nullptr;
    if (EN_createproject(&p) == 0)
        project_ = p;
}

TProject::~TProject()
{
    if (project_)
        EN_deleteproject(Handle(project_));
}

int TProject::Open(const std::string& inpPath)
{
    if (!project_)
        return 101;
    const std::string report = inpPath + ".rpt";
    return EN_open(Handle(project_), inpPath.c_str(), report.c_str(), "");
}

int TProject::SolveH()
{
    return EN_solveH(Handle(project_));
}

int TProject::SolveOnce()
{
    EN_Project p = Handle(project_);
    int code = EN_openH(p);
    if (code == 0)
        code = EN_initH(p, EN_NOSAVE);
    if (code == 0) {
        long t = 0;
        code = EN_runH(p, &t);
    }
    EN_closeH(p);
    return code;
}

double TProject::Head(const std::string& junctionId) const
{
    int index = 0;
    double value = 0;
    if (EN_getnodeindex(Handle(project_), junctionId.c_str(), &index) != 0 ||
        EN_getnodevalue(Handle(project_), index, EN_HEAD, &value) != 0)
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

double TProject::Flow(const std::string& linkId) const
{
    int index = 0;
    double value = 0;
    if (EN_getlinkindex(Handle(project_), linkId.c_str(), &index) != 0 ||
        EN_getlinkvalue(Handle(project_), index, EN_FLOW, &value) != 0)
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

std::unordered_map<std::string, double> TProject::Heads() const
{
    std::unordered_map<std::string, double> heads;
    int count = 0;
    EN_getcount(Handle(project_), EN_NODECOUNT, &count);
    char id[EN_MAXID + 1];
    for (int i = 1; i <= count; ++i) {
        double value = 0;
        if (EN_getnodeid(Handle(project_), i, id) == 0 && EN_getnodevalue(Handle(project_), i, EN_HEAD, &value) == 0)
            heads[id] = value;
    }
    return heads;
}

std::unordered_map<std::string, double> TProject::FlowsSi() const
{
    std::unordered_map<std::string, double> flows;
    int count = 0;
    EN_getcount(Handle(project_), EN_LINKCOUNT, &count);
    char id[EN_MAXID + 1];
    for (int i = 1; i <= count; ++i) {
        double value = 0;
        if (EN_getlinkid(Handle(project_), i, id) == 0 && EN_getlinkvalue(Handle(project_), i, EN_FLOW, &value) == 0)
            flows[id] = value / kSecondsPerHour;
    }
    return flows;
}

std::string TProject::ErrorText(int code)
{
    char text[EN_MAXMSG + 1] = "";
    EN_geterror(code, text, EN_MAXMSG);
    return std::to_string(code) + ": " + text;
}

TResult Solve(const std::string& inpPath)
{
    TResult result;
    TProject project;
    result.Code = project.Open(inpPath);
    if (result.Code == 0)
        result.Code = project.SolveOnce();
    if (result.Code != 0)
        result.Message = TProject::ErrorText(result.Code);
    if (result.Code <= 100) {
        result.Heads = project.Heads();
        result.Flows = project.FlowsSi();
    }
    return result;
}

}  // namespace EpanetOracle
