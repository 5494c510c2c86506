// main() of the widget tests. Test discovery runs these binaries without the
// environment ctest gives the tests, so the platform is set here too.

#include "framework/langpack.h"
#include "messageboxrecorder.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and recent files go to a folder of the run's own, never the user's.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome.path());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);

    CLangPack pack;
    if (!pack.Load(QStringLiteral(LMX_LANGPACK_FILE))) {
        std::fprintf(stderr, "cannot load the resource pack %s\n", LMX_LANGPACK_FILE);
        return 1;
    }
    AfxSetResourceHandle(&pack);
    // A box no test expected must never wait for a person.
    CMessageBoxRecorder unexpectedBoxes;
    const int result = RUN_ALL_TESTS();
    AfxSetResourceHandle(nullptr);
    return result;
}
