#pragma once

class QDateTimeEdit;

/// Makes a date or time editor take typed digits after a click: the click
/// selects the section under it (the hour, the day, …), so typing replaces
/// that section, as it does when the editor is entered with Tab. Without
/// this a digit typed at a bare cursor makes the text invalid and is
/// dropped, and the editor seems not to take typing at all. Likewise a
/// digit typed into an empty date editor, or over its whole selected text,
/// starts the date anew from its first section.
void ZSelectSectionOnClick(QDateTimeEdit *editor);
