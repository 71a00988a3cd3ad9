// SPDX-License-Identifier: MIT
#include "platform/QtFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Catches Okay storing where a link beside the program points instead of the link (the package links the program's
// folder to its data, which may move in a later version), a folder link left unresolved, or a name that leads nowhere
// stored as if it existed.
TEST(QtFiles, ExistingPathResolvesTheFoldersAndKeepsTheName) {
    QTemporaryDir temp;
    const QString root = QDir(temp.path()).canonicalPath();
    ASSERT_TRUE(QDir(root).mkpath("data") && QDir(root).mkpath("program"));
    QFile(root + "/data/snot.mid").open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link("../data/snot.mid", root + "/program/snot.mid") &&
                QFile::link("../data/none.mid", root + "/program/gone.mid") && QFile::link("program", root + "/via"));
    const std::vector<std::pair<QString, QString>> rows{
        {"program/snot.mid", "program/snot.mid"},
        {"via/snot.mid", "program/snot.mid"},
        {"program/../data/snot.mid", "data/snot.mid"},
        {"via/.", "program"},
        {"via", "via"},
        {"program/gone.mid", ""},
        {"program/none.mid", ""},
        {"none/snot.mid", ""},
    };
    QtFiles files;
    for (const auto &[path, expected] : rows) {
        EXPECT_EQ(files.existingPath(root + "/" + path).toStdString(),
                  expected.isEmpty() ? "" : (root + "/" + expected).toStdString())
            << path.toStdString();
    }
}
