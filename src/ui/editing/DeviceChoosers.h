#pragma once

#include "core/equipment/ReducerCharacter.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

class QWidget;

// What the pump and reducer databases hand back to the device dialog, and the hooks through
// which the dialog's "&Выбрать" and "Править" reach them. The application sets the hooks
// once; without a hook the buttons stay disabled.

struct TPumpChoice {
    QString Model;
    std::array<double, 6> Values{};  // Q1, H1, Q2, H2, A, B
};

struct TReducerChoice {
    QString Model;                     // becomes the characteristic's name
    TReducerCharacter Characteristic;
    double LockingPressure = 0;
};

// Mode of the reducer database call: pick another characteristic, or edit the current one.
enum class TReducerChooserMode { Choose = 1, Edit = 2 };

// Each gets the dialog as parent and the working copy; nothing returned means cancelled.
using TPumpChooser = std::function<std::optional<TPumpChoice>(QWidget* parent, const TPumpChoice& current)>;
using TReducerChooser =
    std::function<std::optional<TReducerChoice>(QWidget* parent, TReducerChooserMode mode, const TReducerChoice& current)>;

namespace DeviceChoosers {

void SetPumpChooser(TPumpChooser chooser);
void SetReducerChooser(TReducerChooser chooser);
const TPumpChooser& PumpChooser();
const TReducerChooser& ReducerChooser();

}  // namespace DeviceChoosers
