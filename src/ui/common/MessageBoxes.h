#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class TMsgIcon { Information, Warning, Error, Question };
enum class TMsgButtons { Ok, YesNo, YesNoCancel };
enum class TMsgAnswer { Ok, Yes, No, Cancel };

// One message box as asked for: texts exactly as the system words them ("\r\n" included).
struct TMessageRecord {
    QString Caption;
    QString Text;
    TMsgIcon Icon = TMsgIcon::Information;
    TMsgButtons Buttons = TMsgButtons::Ok;
};

namespace MessageBoxTexts {
inline const QString kError = QStringLiteral("Ошибка");
inline const QString kMessage = QStringLiteral("Сообщение");
inline const QString kConfirm = QStringLiteral("Подтверждение");
}  // namespace MessageBoxTexts

// Every modal message box of the program goes through here, so tests can answer them
// without a person at the screen.
namespace MessageBoxes {

TMsgAnswer Show(QWidget* parent, const TMessageRecord& message);

// "Ошибка" with the error icon.
void Error(QWidget* parent, const QString& text);
// "Сообщение" with the information icon.
void Info(QWidget* parent, const QString& text);
// "Подтверждение" with the given buttons and icon.
TMsgAnswer Ask(QWidget* parent, const QString& text, TMsgButtons buttons, TMsgIcon icon = TMsgIcon::Question);

// While set, the interceptor answers instead of a window. Tests only.
using TInterceptor = std::function<TMsgAnswer(const TMessageRecord&)>;
void SetInterceptor(TInterceptor interceptor);

}  // namespace MessageBoxes
