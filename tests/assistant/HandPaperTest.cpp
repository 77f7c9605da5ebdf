// The note paper: its text and look come from their parameters, apply at
// once and go back on closing; saving and saving as a text file.
#include "../framework/record/RecordTestSupport.h"
#include "TestText.h"
#include "ZScreenshot.h"

#include "controls/ZColorValue.h"
#include "controls/ZFileDialogs.h"
#include "data/TParamInfo.h"
#include "forms/TfrmHandPaper.h"

#include <QCheckBox>
#include <QFontComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>

#include <gtest/gtest.h>

using HandPaper = TRecordTest;

TEST_F(HandPaper, TheNoteAndItsLookAreKeptInParameters)
{
    const QString note = s("周一：交房租\n周三：体检\n") + QString(3000, QChar(u'记'));
    SaveLongParamValue(s("HandPaper"), note);
    SaveParamValue(s("HandPaperFontColor"), s("255"));    // red
    SaveParamValue(s("HandPaperBgColor"), s("15191807")); // a light pink
    SaveParamValue(s("HandPaperFontSize"), s("16"));
    SaveParamValue(s("HandPaperBreak"), s("0"));
    GetParamInfo().UpdateParamInfo();

    auto *window = new TfrmHandPaper;
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), s("写字板"));
    EXPECT_EQ(window->memText->toPlainText(), note);
    EXPECT_EQ(window->memText->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(window->memText->palette().color(QPalette::Base), ZColorFromValue(15191807));
    EXPECT_EQ(window->memText->font().pointSize(), 16);
    EXPECT_EQ(window->memText->lineWrapMode(), QPlainTextEdit::NoWrap);
    ZSaveScreenshot(*window, s("hand_paper"));

    // Changes apply at once and are saved on closing.
    window->edtSize->setValue(20);
    EXPECT_EQ(window->memText->font().pointSize(), 20);
    window->chkBreak->setChecked(true);
    EXPECT_EQ(window->memText->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    window->SetFontColor(QColor(0, 0, 255));
    EXPECT_EQ(window->memText->palette().color(QPalette::Text), QColor(0, 0, 255));
    window->memText->setPlainText(s("改过的便签"));
    const QString family = window->cbxFont->currentFont().family();
    window->close();
    EXPECT_EQ(GetLongParamValue(s("HandPaper")), s("改过的便签"));
    EXPECT_EQ(GetParamValue(s("HandPaperFontColor")), s("16711680"));
    EXPECT_EQ(GetParamValue(s("HandPaperBgColor")), s("15191807"));
    EXPECT_EQ(GetParamValue(s("HandPaperFontSize")), s("20"));
    EXPECT_EQ(GetParamValue(s("HandPaperBreak")), s("1"));
    EXPECT_EQ(GetParamValue(s("HandPaperFontName")), family);
}

TEST_F(HandPaper, SaveAndSaveAsATextFile)
{
    auto *window = new TfrmHandPaper;
    window->show();
    window->memText->setPlainText(s("会议记录"));
    answers << s("btnOK");
    window->SaveText();
    EXPECT_EQ(boxTexts, QStringList{s("已保存！")});
    EXPECT_EQ(GetLongParamValue(s("HandPaper")), s("会议记录"));

    const QString file = path(s("便签.txt"));
    SetZFileDialogAnswerer([&](bool save, const QString &, const QString &) { return save ? file : QString(); });
    window->SaveAs();
    EXPECT_EQ(folder->readFile(s("便签.txt")), s("会议记录").toUtf8());
    // An existing file is replaced only when the user agrees.
    window->memText->setPlainText(s("第二版"));
    boxTexts.clear();
    answers << s("btnNo");
    window->SaveAs();
    EXPECT_EQ(boxTexts, QStringList{s("文件") + file + s("已经存在是否覆盖？")});
    EXPECT_EQ(folder->readFile(s("便签.txt")), s("会议记录").toUtf8());
    answers << s("btnYes");
    window->SaveAs();
    EXPECT_EQ(folder->readFile(s("便签.txt")), s("第二版").toUtf8());
    SetZFileDialogAnswerer(nullptr);
    window->close();
}
