#pragma once

#include "record/TfrmMasterDataAuto.h"

/// The record window of the address book (module moxAddressBook): the
/// generated editors of a contact, and the contact's two yearly birthday
/// reminders in moxRemind kept in step with every save and delete. The
/// reminders are written inside the save's or the delete's transaction, so
/// a contact and its reminder rows commit or roll back together.
class TfrmAddressBook : public TfrmMasterDataAuto
{
    Q_OBJECT

public:
    explicit TfrmAddressBook(QWidget *parent = nullptr);

    /// Replaces the contact's birthday reminder rows: those of the key the
    /// record had before an edit or a delete go; a saved contact born after
    /// 1903 gets its two rows (ZUpdateBirthdayRemind).
    void UpdateToRemind(bool deleting);

protected:
    void DoSave() override;
    void DoDelete() override;
};
