#pragma once

#include <QListWidget>
#include <QPointer>

#include "BackupFixture.h"
#include "backup/frmRestore.h"
#include "platform/forms/TestHook.h"

// The restore screen loaded (not shown) over the fixture's data folder.
class ScreenFixture : public BackupFixture {
  protected:
    void SetUp() override {
        BackupFixture::SetUp();
        screen = new frmRestore;
        screen->Load();
    }
    void TearDown() override {
        delete screen.data();
        BackupFixture::TearDown();
    }

    QString backupFolder(const QString& name) const { return dataFolder() + "/backup/" + name; }

    // The data files without the backups.
    std::map<QString, QByteArray> dataFiles() const {
        std::map<QString, QByteArray> files = snapshot(dataFolder());
        std::erase_if(files, [](const auto& file) { return file.first.startsWith("backup/"); });
        return files;
    }

    QStringList entries() const {
        QStringList texts;
        for (int i = 0; i < screen->BackupList->count(); ++i) {
            texts << screen->BackupList->item(i)->text();
        }
        return texts;
    }

    // As the user's click on an entry's check box.
    void clickCheck(int index) const {
        QListWidgetItem* item = screen->BackupList->item(index);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }

    static const forms::TestHook::MsgBoxShown& lastBox() {
        return forms::TestHook::msgBoxes().back();
    }

    QPointer<frmRestore> screen;
};
