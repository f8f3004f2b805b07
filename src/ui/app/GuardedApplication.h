#pragma once

// The desktop program's application object. No exception leaves an event: whatever a command
// throws ends that command only. The user sees it in the message box "Ошибка" (the program's
// own text, "Недостаточно памяти…" for a lack of memory, the library's text otherwise) and
// the program goes on with every open document as the command left it — nothing is lost
// because one command failed.

#include <QApplication>
#include <QString>

#include <exception>

namespace GuardTexts {
inline const QString kOutOfMemory = QStringLiteral("Недостаточно памяти для выполнения операции");
inline const QString kUnknown = QStringLiteral("Неизвестная ошибка");
}  // namespace GuardTexts

// What the user is told of a failure.
QString FailureText(const std::exception_ptr& failure);

class TGuardedApplication : public QApplication {
public:
    TGuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
