#pragma once

#include "common/ZErrors.h"

#include <QString>

#include <functional>

/// The message of the EZError an action raises; empty when it raises none.
inline QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EZError &error) {
        return error.message();
    }
    return {};
}
