// The evaluator's cases, one row each in the files under cases/: the locale, the
// expression, what is expected and its text, separated by tabs. "{tab}" in a row stands
// for a tab; a line starting with # is a comment. The expected kinds:
//   Empty, Number, Text, Date, Logical  the result of a top-level evaluation, as written
//                                       in the locale, with no message and no ErrorFlag
//   Fail                                ErrorFlag set with this ErrText, no message
//   Box                                 a "Syntax error" box whose text starts so
//   Shown                               exactly one message box with this text
#include "EvalHarness.h"

#include <QDir>

namespace {

struct EvalCase
{
    std::string name; // file stem, line and the expression's letters and digits
    QStringList columns; // locale, expression, kind, expected; fewer when malformed
};

std::vector<EvalCase> loadCases()
{
    std::vector<EvalCase> cases;
    const QDir dir(QStringLiteral(EVAL_CASES_DIR));
    for (const QFileInfo &info :
        dir.entryInfoList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].trimmed().isEmpty() || lines[i].startsWith(u'#'))
                continue;
            EvalCase c {info.baseName().toStdString() + "_L" + std::to_string(i + 1) + '_',
                lines[i].split(u'\t')};
            for (const QChar ch : c.columns.value(1).left(40))
                if (ch.unicode() < 128 && ch.isLetterOrNumber())
                    c.name += char(ch.unicode());
            c.columns.replaceInStrings(QStringLiteral("{tab}"), QStringLiteral("\t"));
            cases.push_back(c);
        }
    }
    return cases;
}

using EvalCases = testing::TestWithParam<EvalCase>;

TEST_P(EvalCases, GiveTheExpectedOutcome)
{
    const QStringList &columns = GetParam().columns;
    ASSERT_EQ(columns.size(), 4) << "a row needs four tab-separated columns";
    const QString &kind = columns[2];
    const QString &expected = columns[3];
    EvalHarness h(columns[0].toLatin1().constData());
    const QString result = h.evaluate(columns[1]);
    const EvalState &state = h.ev.state();
    const QList<RecordingDialogs::Shown> &shown = h.dialogs.shown();
    if (kind == u"Fail") {
        EXPECT_TRUE(state.ErrorFlag);
        EXPECT_EQ(state.ErrText, expected);
        EXPECT_TRUE(shown.isEmpty());
    } else if (kind == u"Box") {
        ASSERT_EQ(shown.size(), 1) << result.toStdString();
        EXPECT_EQ(shown.front().caption, QStringLiteral("Syntax error"));
        EXPECT_TRUE(shown.front().text.startsWith(expected)) << shown.front().text.toStdString();
        EXPECT_FALSE(state.ErrorFlag);
    } else if (kind == u"Shown") {
        EXPECT_EQ(h.dialogs.texts(), QStringList {expected});
    } else {
        EXPECT_EQ(result, QString(kind + u' ' + expected));
        EXPECT_TRUE(shown.isEmpty()) << h.dialogs.texts().join(u'|').toStdString();
        EXPECT_FALSE(state.ErrorFlag) << state.ErrText.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EvalCases, testing::ValuesIn(loadCases()),
    [](const testing::TestParamInfo<EvalCase> &info) { return info.param.name; });

} // namespace
