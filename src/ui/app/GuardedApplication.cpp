#include "ui/app/GuardedApplication.h"

#include "core/model/Errors.h"
#include "ui/common/MessageBoxes.h"

#include <cstdio>
#include <new>

QString FailureText(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::bad_alloc&) {
        return GuardTexts::kOutOfMemory;
    } catch (const std::exception& e) {
        const QString what = QString::fromLocal8Bit(e.what());
        return what.isEmpty() ? GuardTexts::kUnknown : what;
    } catch (...) {
        return GuardTexts::kUnknown;
    }
}

TGuardedApplication::TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = FailureText(std::current_exception());
        // A failure while the last one is being told (the box has an event loop of its own)
        // goes to the terminal rather than stacking boxes.
        static bool telling = false;
        if (telling) {
            std::fprintf(stderr, "irvata: %s\n", text.toLocal8Bit().constData());
            return false;
        }
        telling = true;
        try {
            MessageBoxes::Error(activeWindow(), text);
        } catch (...) {
            std::fprintf(stderr, "irvata: %s\n", text.toLocal8Bit().constData());
        }
        telling = false;
        return false;
    }
}
