#pragma once

#include <QString>
#include <QStringList>

#include "platform/runtime/Date.h"

// The folder backups of a data folder: sub-folders of its "backup" folder, each named by
// the date and time of the backup ("yyyymmddhhnnss") and holding one copy of each data
// file under its own name. The automatic copy that a restore or an import keeps of the
// files it replaces is named by its time followed by "-auto".
class BackupRoot {
  public:
    explicit BackupRoot(const QString& dataFolder);

    // The data folder & "/backup".
    QString path() const;
    // The path of one entry of the root.
    QString entryPath(const QString& name) const;

    // Copies the files into a new backup folder named by the time, or by the next second
    // that no backup has taken yet, so that a backup never replaces another. The copies
    // are made and flushed in a work folder beside the new one, on the root's own file system
    // (the root may be a link to another disk), noted in a run folder (RunFolder), and the
    // folder is renamed into place only when every file was copied, so that no partial backup is
    // left listed, also after a crash (the next start removes the work folder). Every file must be
    // a regular file. Gives the new folder's name, or "" when nothing was made; nothing is then
    // left behind, not even the "backup" folder when this call created it. A file that is a link is
    // copied from what it points to. files[0] is the database: its copy is settled
    // (SettledDatabase, with the password), so that it holds the database's whole state, and
    // the backup fails when it cannot be.
    QString create(const QStringList& files, const vb::Date& time,
                   const QString& password = QString()) const;

    // The time formatted "yyyymmddhhnnss" followed by suffix, or that of a following
    // second, whichever no entry of the root takes first; "" when none is free.
    QString freeName(const vb::Date& time, const QString& suffix) const;

    // The entries of the root, sorted by name, without the work folders of backups being
    // made or removed. Empty when the root does not exist.
    QStringList names() const;

    // Removes one entry of the root with everything in it (a link is removed, not
    // followed): it leaves the root in one step, so that a crash never leaves part of a
    // backup listed; what cannot be removed at once is removed by the next start. Only a
    // plain name is taken, so the root itself and anything outside it are never touched.
    // True when the entry is gone from the root.
    bool remove(const QString& name) const;

    // The files of one backup folder that a restore puts back: every regular file directly
    // in it except the engine's side files, sorted by name. False when the entry is not a
    // folder (a link to one included) or holds anything other than regular files.
    bool files(const QString& name, QStringList& paths) const;

    // The list text of a backup: for "20240305091502" "2024年03月05日 09時15分02秒 に
    // バックアップされたデータ"; pieces beyond the end of a shorter name are empty. An
    // automatic copy reads "… に復元前の状態を自動保存したデータ".
    static QString entryText(const QString& name);

    static constexpr const char* kAutoSuffix = "-auto";
    // The name of an automatic copy: 14 digits followed by "-auto".
    static bool isAutoName(const QString& name);

  private:
    QString dataFolder_;
};
