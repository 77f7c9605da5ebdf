#include "ZErrors.h"

EZError::EZError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}

QString ZCurrentExceptionMessage()
{
    try {
        throw;
    } catch (const EZError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("未知错误");
    }
}
