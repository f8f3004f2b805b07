#pragma once

#include <QString>
#include <exception>

// General error carrying the system's own message text; the ui shows the text as it is.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Errors of the network model.
class EMineError : public Exception {
public:
    using Exception::Exception;
};

// A model constructor or re-parenting operation received no owner.
class EOwnerError : public EMineError {
public:
    EOwnerError() : EMineError(QStringLiteral("Параметр Owner не может быть nil")) {}
};

// Index outside a list.
class EListError : public Exception {
public:
    explicit EListError(int index)
        : Exception(QStringLiteral("List index out of bounds (%1)").arg(index)) {}
};

namespace ModelTexts {
inline const QString kNoCoordinates = QStringLiteral("Установка координат для элементов этого типа недопустима");
}
