#pragma once
// What the playlist tests share: a scratch folder, small valid MPEG files,
// and the file names of a list's entries.
#include "playlist/mpegaudiolist.h"
#include "support/mpegcraft.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velmoro::test {

class ListTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Write(const QString& name, const QByteArray& bytes) const { return WriteFile(Path(name), bytes); }
    // A valid MPEG 1 Layer III file of 20 frames.
    QString Mp3(const QString& name) const { return Write(name, Frames(MakeHeader({}), 417, 20)); }

    static QStringList Names(const playlist::TMPEGAudioList& list)
    {
        QStringList names;
        for (int i = 0; i < list.Count(); ++i)
            names << list.Items(i).GetFileName();
        return names;
    }

    QTemporaryDir m_dir;
    playlist::TMPEGAudioList m_list;
};

} // namespace velmoro::test
