#pragma once

#include <QList>

/// How a command of the main window's panel opens its module.
enum TMainCommandKind {
    mcList,     ///< the module's list (WakeUpListFormByProg)
    mcProgID,   ///< the module by its ProgID (WakeUpFormByProgID, no key)
    mcWindow,   ///< a window class (WakeUpForm)
    mcPassword, ///< setting the login password
    mcWebSite,  ///< the maker's web site in the browser
    mcForum     ///< the maker's forum in the browser
};

/// A command of the panel: its page (0–6), caption, kind, target (ProgID or
/// window class), whether its window is modal, and the character its button
/// shows as an icon.
struct TMainCommand
{
    int page;
    const char16_t *caption;
    TMainCommandKind kind;
    const char *target;
    bool modal;
    const char16_t *glyph;
};

/// The commands of the panel, page by page in the order they stand.
const QList<TMainCommand> &ZMainCommands();

/// The captions of the page buttons of pages 0–6.
const QList<const char16_t *> &ZMainPageCaptions();
