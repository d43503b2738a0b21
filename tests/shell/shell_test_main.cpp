// Runs the tests inside a QApplication. The notice address defaults to a closed loopback port so
// that no test reaches the network; test mode keeps QStandardPaths away from the user's folders.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DELIST_NOTICE_URL")) {
        qputenv("DELIST_NOTICE_URL", "http://127.0.0.1:1/notice.txt");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
