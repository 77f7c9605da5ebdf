#include "ZWinMessages.h"

TZMessageEvent::TZMessageEvent(int message, QString text1, QString text2, qint64 param1, qint64 param2)
    : QEvent(QEvent::Type(message)),
      m_text1(std::move(text1)),
      m_text2(std::move(text2)),
      m_param1(param1),
      m_param2(param2)
{}
