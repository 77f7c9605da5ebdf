// The editor kinds the layout generator adds to the editor adapter: a pick
// list stores the integer of its item, an image editor the bytes of its
// picture, loaded from a file the user chooses.
#include "TTempProgramFolder.h"
#include "TestText.h"

#include "controls/TZDBImage.h"
#include "controls/TZFieldLink.h"
#include "controls/ZEditorAdapter.h"
#include "controls/ZFileDialogs.h"
#include "data/TZClientDataSet.h"

#include <QBuffer>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

#include <gtest/gtest.h>

TEST(EditorKinds, APickListStoresTheIntegerOfItsItem)
{
    TZClientDataSet data;
    data.CreateDataSet({{s("Level"), ftZSmallint, 0, QString(), QString()}});
    data.Append();
    data.FieldByName(s("Level")).SetValue(7);
    data.Post();

    QWidget window;
    auto *combo = new QComboBox(&window);
    ZEditorAdapter::SetPickList(combo, {s("高"), s("低")}, {3, 7});
    EXPECT_TRUE(ZEditorAdapter::IsPickList(combo));
    EXPECT_FALSE(ZEditorAdapter::ShowsText(combo));
    TZFieldLink link(combo, data, s("Level"));
    EXPECT_EQ(combo->currentText(), s("低"));
    combo->setCurrentIndex(0);
    EXPECT_EQ(data.FieldByName(s("Level")).Value(), QVariant(3));
    // A value in no item chooses nothing and gives back null.
    ZEditorAdapter::SetValue(combo, 5);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(ZEditorAdapter::Value(combo).isNull());
}

TEST(EditorKinds, AnImageEditorHoldsThePicturesBytes)
{
    TTempProgramFolder folder;
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const QString file = folder.writeFile(s("red.png"), png);

    TZClientDataSet data;
    data.CreateDataSet({{s("Photo"), ftZBlob, 0, QString(), QString()}});
    data.Append();
    data.Post();
    QWidget window;
    auto *image = new TZDBImage(&window);
    EXPECT_TRUE(ZEditorAdapter::IsEditor(image));
    TZFieldLink link(image, data, s("Photo"));
    EXPECT_TRUE(image->Picture().isEmpty());

    // Cancelling the file dialog changes nothing; choosing a file loads it
    // and writes its bytes.
    SetZFileDialogAnswerer([](bool, const QString &, const QString &) { return QString(); });
    EXPECT_FALSE(image->LoadFromFile());
    EXPECT_EQ(data.State(), dsBrowse);
    SetZFileDialogAnswerer([file](bool save, const QString &, const QString &) { return save ? QString() : file; });
    EXPECT_TRUE(image->LoadFromFile());
    SetZFileDialogAnswerer(nullptr);
    EXPECT_EQ(data.FieldByName(s("Photo")).Value().toByteArray(), png);
    data.Post();

    // Read-only: nothing loads.
    ZEditorAdapter::SetReadOnly(image, true);
    EXPECT_TRUE(ZEditorAdapter::IsReadOnly(image));
    EXPECT_FALSE(image->LoadFromFile());

    // The dataset's bytes show in the editor.
    data.Append();
    EXPECT_TRUE(image->Picture().isEmpty());
    data.Cancel();
    EXPECT_EQ(ZEditorAdapter::Value(image).toByteArray(), png);
}

TEST(EditorKinds, ATimeEditorTakesDigitsTypedAfterAClick)
{
    TZClientDataSet data;
    data.CreateDataSet({{s("RemindTime"), ftZTime, 0, QString(), QString()}});
    data.Append();
    data.FieldByName(s("RemindTime")).SetValue(QTime(8, 0));
    data.Post();
    data.Edit();

    QWidget window;
    auto *time = new QTimeEdit(&window);
    time->setDisplayFormat(s("HH:mm"));
    time->resize(120, 26);
    TZFieldLink link(time, data, s("RemindTime"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    time->setFocus();
    // A click on the minutes, then "45": the click selected the section.
    auto *line = time->findChild<QLineEdit *>();
    ASSERT_TRUE(line);
    const int minutesX = line->fontMetrics().horizontalAdvance(s("08:4")) + 2;
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(minutesX, line->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClicks(time, s("45"));
    EXPECT_EQ(time->time(), QTime(8, 45));
    QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(4, line->height() / 2));
    QCoreApplication::processEvents();
    QTest::keyClicks(time, s("10"));
    EXPECT_EQ(time->time(), QTime(10, 45));
}

TEST(EditorKinds, ADateIsTypedWholeIntoAnEmptyOrSelectedEditor)
{
    TZClientDataSet data;
    data.CreateDataSet({{s("BornDate"), ftZDate, 0, QString(), QString()}});
    data.Append();
    data.Post();
    data.Edit();

    QWidget window;
    auto *date = new QDateEdit(&window);
    date->setDisplayFormat(s("yyyy-MM-dd"));
    date->setSpecialValueText(s(" ")); // an empty date shows blank
    date->resize(140, 26);
    TZFieldLink link(date, data, s("BornDate"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(date->text(), s(" "));
    date->setFocus();
    QTest::keyClicks(date, s("19881003"));
    EXPECT_EQ(date->date(), QDate(1988, 10, 3));
    // Over the whole text, with the separators typed too.
    QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(date, s("2024-05-06"));
    EXPECT_EQ(date->date(), QDate(2024, 5, 6));
    date->clearFocus(); // the editor hands the date to the field
    EXPECT_EQ(data.FieldByName(s("BornDate")).AsDateTime().date(), QDate(2024, 5, 6));
}
