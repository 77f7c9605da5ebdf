// Settings windows: every named editor shows and stores the parameter of its
// name, each kind of editor in its own form.
#include "TDataFileTest.h"
#include "TestText.h"

#include "data/TDBConn.h"
#include "forms/TfrmParamsBase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

/// A settings window with one editor of every kind.
struct TSettings
{
    TSettings()
    {
        auto *layout = new QVBoxLayout(window);
        name->setObjectName(s("MyName"));
        note->setObjectName(s("HandPaper"));
        port->setObjectName(s("MailPort"));
        port->setRange(0, 65535);
        mail->setObjectName(s("BornDateEmailRemind"));
        date->setObjectName(s("StartDate"));
        skins->setObjectName(s("SkinIndex"));
        skins->addItems({s("经典"), s("商务"), s("清新")});
        mode->setObjectName(s("PrintMode"));
        auto *modes = new QVBoxLayout(mode);
        for (const QString &caption : {s("表格式"), s("固定式")})
            modes->addWidget(new QRadioButton(caption, mode));
        colour->setObjectName(s("HandPaperFontName"));
        colour->setEditable(true);
        for (QWidget *editor : std::initializer_list<QWidget *>{name, note, port, mail, date, skins, mode, colour})
            layout->addWidget(editor);
    }
    ~TSettings() { delete window; }

    TfrmParamsBase *window = new TfrmParamsBase;
    QLineEdit *name = new QLineEdit(window);
    QPlainTextEdit *note = new QPlainTextEdit(window);
    QSpinBox *port = new QSpinBox(window);
    QCheckBox *mail = new QCheckBox(window);
    QDateEdit *date = new QDateEdit(window);
    QListWidget *skins = new QListWidget(window);
    QGroupBox *mode = new QGroupBox(window);
    QComboBox *colour = new QComboBox(window);
};

} // namespace

using ParamsForm = TDataFileTest;

TEST_F(ParamsForm, EveryEditorKindSavesAndShowsItsParameter)
{
    {
        TSettings settings;
        EXPECT_EQ(settings.window->ParamEditors().size(), 8);
        settings.window->LoadParams(); // nothing stored yet: defaults
        EXPECT_EQ(settings.port->value(), 0);
        EXPECT_FALSE(settings.mail->isChecked());
        settings.name->setText(s("张三"));
        settings.note->setPlainText(s("第一行\n第二行"));
        settings.port->setValue(465);
        settings.mail->setChecked(true);
        settings.date->setDate(QDate(2026, 12, 7));
        settings.skins->setCurrentRow(2);
        settings.mode->findChildren<QRadioButton *>().at(1)->setChecked(true);
        settings.colour->setCurrentText(s("宋体"));
        settings.window->SaveParams();
        settings.window->SaveParams(); // saving again replaces, never doubles
    }
    TDBConn &db = DBConn();
    EXPECT_EQ(db.DBSelectValue(s("Select ParamValue From comParams Where ParamName = 'MailPort'")),
              QStringList({s("465")}));
    EXPECT_EQ(db.DBSelectValue(s("Select count(*) From comParams Where ParamName = 'MyName'")), QStringList({s("1")}));
    EXPECT_EQ(db.DBSelectValue(s("Select ParamValue From comParamsEx Where ParamName = 'HandPaper'")),
              QStringList({s("第一行\n第二行")}));
    EXPECT_EQ(db.DBSelectValue(s("Select ParamValue From comParams Where ParamName = 'StartDate'")),
              QStringList({s("20261207")}));
    EXPECT_EQ(db.DBSelectValue(s("Select ParamValue From comParams Where ParamName = 'BornDateEmailRemind'")),
              QStringList({s("1")}));

    TSettings again;
    again.window->LoadParams();
    EXPECT_EQ(again.name->text(), s("张三"));
    EXPECT_EQ(again.note->toPlainText(), s("第一行\n第二行"));
    EXPECT_EQ(again.port->value(), 465);
    EXPECT_TRUE(again.mail->isChecked());
    EXPECT_EQ(again.date->date(), QDate(2026, 12, 7));
    EXPECT_EQ(again.skins->currentRow(), 2);
    EXPECT_TRUE(again.mode->findChildren<QRadioButton *>().at(1)->isChecked());
    EXPECT_EQ(again.colour->currentText(), s("宋体"));
}
