#include "core/shell/HandOverMessage.h"

#include <QtEndian>

namespace HandOver {

QByteArray EncodeRequest(const QString& macro)
{
    const QByteArray body = macro.toUtf8();
    if (body.size() > kMaxMacroBytes)
        return {};
    QByteArray message(kHeaderBytes, '\0');
    qToLittleEndian<quint32>(quint32(body.size()), message.data());
    return message + body;
}

DecodeStatus DecodeRequest(const QByteArray& received, QString* macro, qsizetype* consumed)
{
    if (received.size() < kHeaderBytes)
        return DecodeStatus::Incomplete;
    const quint32 length = qFromLittleEndian<quint32>(received.constData());
    if (length > quint32(kMaxMacroBytes))
        return DecodeStatus::Refused;
    if (received.size() - kHeaderBytes < qsizetype(length))
        return DecodeStatus::Incomplete;
    if (macro)
        *macro = QString::fromUtf8(received.constData() + kHeaderBytes, qsizetype(length));
    if (consumed)
        *consumed = kHeaderBytes + qsizetype(length);
    return DecodeStatus::Complete;
}

}  // namespace HandOver
