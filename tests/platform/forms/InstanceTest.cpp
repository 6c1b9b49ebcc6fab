#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

namespace {

constexpr int kTimeoutMs = 20000;

// Copies of a small program on the forms runtime, sharing a private runtime folder
// and an application title of their own.
class InstanceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        title_ = QStringLiteral("forms-test-%1").arg(QCoreApplication::applicationPid());
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(FORMS_INSTANCE_HELPER), arguments);
        EXPECT_TRUE(process->waitForStarted(kTimeoutMs));
        return process;
    }

    static QString nextLine(QProcess& process) {
        while (!process.canReadLine() && process.waitForReadyRead(kTimeoutMs)) {
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }

    struct Finished {
        int exitCode;
        QString output;
    };

    static Finished finish(QProcess& process) {
        EXPECT_TRUE(process.waitForFinished(kTimeoutMs));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), QString::fromUtf8(process.readAll()).trimmed()};
    }

    Finished run(const QStringList& arguments) { return finish(*start(arguments)); }

    QStringList sockets() const {
        return QDir(runtime_.path())
            .entryList({QStringLiteral("morvik-*")}, QDir::System | QDir::Files)
            .filter(QRegularExpression(QStringLiteral("^(?!.*\\.lock$)")));
    }

    QTemporaryDir runtime_;
    QString title_;
};

TEST_F(InstanceTest, ASecondStartBringsTheRunningCopyToTheFrontAndEnds) {
    const auto first = start({QStringLiteral("first"), title_});
    ASSERT_EQ(nextLine(*first), QStringLiteral("listening"));

    const Finished second = run({QStringLiteral("second"), title_});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.output, QStringLiteral("activated"));

    const Finished activated = finish(*first);
    EXPECT_EQ(activated.exitCode, 0);
    EXPECT_EQ(activated.output, QStringLiteral("activated:Main"));
    EXPECT_TRUE(sockets().isEmpty());  // the ended copy removed its socket
}

TEST_F(InstanceTest, AnOpenModalDialogIsWhatComesToTheFront) {
    const auto first = start({QStringLiteral("first"), title_, QStringLiteral("modal")});
    ASSERT_EQ(nextLine(*first), QStringLiteral("listening"));

    EXPECT_EQ(run({QStringLiteral("second"), title_}).exitCode, 0);
    const Finished activated = finish(*first);
    EXPECT_EQ(activated.exitCode, 0);
    EXPECT_EQ(activated.output, QStringLiteral("activated:Dialog"));
}

TEST_F(InstanceTest, ASocketLeftByACrashedCopyDoesNotBlockTheNextStart) {
    const Finished crashed = run({QStringLiteral("crash"), title_});
    EXPECT_EQ(crashed.exitCode, 3);
    ASSERT_EQ(sockets().size(), 1);

    const Finished alone = run({QStringLiteral("second"), title_});
    EXPECT_EQ(alone.exitCode, 2);
    EXPECT_EQ(alone.output, QStringLiteral("alone"));

    const auto first = start({QStringLiteral("first"), title_});
    ASSERT_EQ(nextLine(*first), QStringLiteral("listening"));
    EXPECT_EQ(run({QStringLiteral("second"), title_}).output, QStringLiteral("activated"));
    EXPECT_EQ(finish(*first).exitCode, 0);
}

TEST_F(InstanceTest, CopiesUnderOtherTitlesDoNotMeet) {
    const auto first = start({QStringLiteral("first"), title_});
    ASSERT_EQ(nextLine(*first), QStringLiteral("listening"));
    EXPECT_EQ(run({QStringLiteral("second"), title_ + QStringLiteral("-other")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("second"), title_}).exitCode, 0);
    EXPECT_EQ(finish(*first).exitCode, 0);
}

TEST_F(InstanceTest, TheProgramEndsWhenItsLastFormIsUnloaded) {
    EXPECT_EQ(run({QStringLiteral("last-form")}).exitCode, 0);
}

}  // namespace
