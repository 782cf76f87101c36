// The program entry: its arguments and one instance per desktop session.
#include <QProcess>
#include <QProcessEnvironment>

#include "gui/EditorRig.h"
#include "ui/EditorArguments.h"
#include "ui/SingleInstance.h"

namespace qeltra3k::ui::testing {
namespace {

TEST(EditorArguments, VirtualMouseWithAndWithoutAFile)
{
    struct Case {
        std::vector<std::string> args;
        bool ok;
        bool virtualMouse;
        std::string image;
    };
    const Case cases[] = {
        {{}, true, false, ""},
        {{"--virtual-mouse"}, true, true, ""},
        {{"--virtual-mouse=/tmp/vm.bin"}, true, true, "/tmp/vm.bin"},
        {{"--virtual-mouse="}, false, false, ""},
        {{"--virtual-mousex"}, false, false, ""},
        {{"--frobnicate"}, false, false, ""},
    };
    for (const Case& c : cases) {
        const EditorArgumentsParsing parsing = ParseEditorArguments(c.args);
        ASSERT_EQ(parsing.arguments.has_value(), c.ok) << (c.args.empty() ? "" : c.args.front());
        if (!c.ok) {
            EXPECT_FALSE(parsing.error.empty());
            continue;
        }
        EXPECT_EQ(parsing.arguments->virtualMouse, c.virtualMouse);
        EXPECT_EQ(parsing.arguments->virtualMouseImage.value_or("").string(), c.image);
    }
}

TEST(SingleInstance, OnlyOneHolderAndAStaleSocketDoesNotCount)
{
    const QString name = InstanceName() + QStringLiteral("-test");
    EXPECT_FALSE(InstanceName().contains(u'/'));
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.Acquire());
        SingleInstance second(name);
        EXPECT_FALSE(second.Acquire());
    }
    SingleInstance again(name);
    EXPECT_TRUE(again.Acquire());
}

TEST(SingleInstance, ASecondEditorEndsWithoutAWindow)
{
    SingleInstance running;
    ASSERT_TRUE(running.Acquire()) << "another editor runs in this session";
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(QELTRA3K_EDITOR_PATH), {QStringLiteral("--virtual-mouse")});
    ASSERT_TRUE(editor.waitForStarted(5000));
    const bool ended = editor.waitForFinished(15000);
    if (!ended)
        editor.kill();
    ASSERT_TRUE(ended) << "the second editor kept running";
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(editor.exitCode(), 0);
}

}  // namespace
}  // namespace qeltra3k::ui::testing
