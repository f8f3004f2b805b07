#include "ui/schema2d/SchemaCommands.h"

#include <array>

namespace {

// In the order of the values.
constexpr std::array<const char*, kSchemaCommandCount> kNames{
    "ActArrow", "ActMove", "ActIncScale", "ActDecScale", "ActTextBlock", "ActEditor", "ActSelectAll",
    "ActFront", "ActBack", "ActForward", "ActBackvard", "ActRefresh", "ActFind",
    "ActIncScaleAuto", "ActDecScaleAuto", "ActPageScale", "ActSelectionScale", "ActPreviousScale",
    "ActPrintShema", "ActLegend", "ActSavePicture", "ActOptions", "ActMap", "ActInfoWindow", "ActBranchUzProperties",
    "ActDevicesWindow", "ActToMainWindow", "ActHelpTechno",
    "ActShowHideNumUz", "ActShowHideResUz", "ActShowHideNumBr", "ActShowHideResBr", "ActShowHideDevRes",
    "ActUpdateUzel", "ActRestoreLabel", "ActDevProp", "ActEditPipe", "ActUzelProperties",
    "ActTBProp", "ActTBDelete", "ActTBReset",
};
static_assert(kNames[kSchemaCommandCount - 1] != nullptr, "every command has its name");

}  // namespace

const char* SchemaCommandName(TSchemaCommand command) { return kNames[std::size_t(command)]; }
