#pragma once

#include <QString>

class QWidget;
class TZDBGrid;

/// Writes the rows of a grid to an Excel workbook (.xlsx), as the grid shows
/// them: the visible columns in their shown order under their header
/// captions (without the parentheses that mark a column not editable in the
/// grid), one row per data row of the dataset in its current sort and filter
/// order. A grouped grid gives its data rows, not its group rows, and keeps
/// the grouping columns so no value is lost.
///
/// A cell keeps its kind where the grid shows the plain value: numbers stay
/// numbers (money with all its decimals and a format that shows them; a
/// number the grid rounds for display is written unrounded), dates and
/// date-times stay dates with a date format. Where the grid shows a text of
/// its own (a pick-list or looked-up name, a yes/no text, a hidden field's
/// mask) that text is written.
///
/// The file is written beside the target and renamed into place, so a failure
/// leaves no half file; failures raise EZError naming the file.
void ZExportGridToXlsx(TZDBGrid &grid, const QString &fileName);

/// Asks for the workbook to export to through the framework's file dialog
/// (filter "EXCEL(*.xlsx)"), starting at `suggestedName`; ".xlsx" is added
/// when the chosen name lacks it. Empty when cancelled.
QString ZChooseExportFile(QWidget *owner, const QString &suggestedName = {});

/// True when `file` does not exist yet or the user agrees to replace it
/// (the framework's question box).
bool ZConfirmOverwrite(QWidget *owner, const QString &file);
