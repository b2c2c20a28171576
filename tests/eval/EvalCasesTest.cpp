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
#include <QFile>
#include <QFileInfo>

namespace {

struct EvalCase
{
    QString file;
    int line = 0;
    QString locale;
    QString expression;
    QString kind;
    QString expected;
    std::string name;
};

void PrintTo(const EvalCase &c, std::ostream *os)
{
    *os << c.file.toStdString() << ':' << c.line << ' ' << c.expression.toStdString();
}

std::string testName(const QString &stem, int line, const QString &expression)
{
    std::string name = stem.toStdString() + "_L" + std::to_string(line) + '_';
    for (const QChar c : expression) {
        if (name.size() > 48)
            break;
        if (c.unicode() < 128 && c.isLetterOrNumber())
            name += char(c.unicode());
    }
    return name;
}

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
            const QString &line = lines[i];
            if (line.trimmed().isEmpty() || line.startsWith(u'#'))
                continue;
            QStringList columns = line.split(u'\t');
            EvalCase c;
            c.file = info.fileName();
            c.line = i + 1;
            c.name = testName(info.baseName(), c.line, columns.value(1));
            if (columns.size() != 4) {
                c.kind = QStringLiteral("malformed");
                cases.push_back(c);
                continue;
            }
            for (QString &column : columns)
                column.replace(QStringLiteral("{tab}"), QStringLiteral("\t"));
            c.locale = columns[0];
            c.expression = columns[1];
            c.kind = columns[2];
            c.expected = columns[3];
            cases.push_back(c);
        }
    }
    return cases;
}

class EvalCases : public testing::TestWithParam<EvalCase>
{
};

TEST_P(EvalCases, GiveTheExpectedOutcome)
{
    const EvalCase &c = GetParam();
    ASSERT_NE(c.kind, QStringLiteral("malformed")) << "a row needs four tab-separated columns";
    EvalHarness h(c.locale.toLatin1().constData());
    const QString result = h.evaluate(c.expression);
    const EvalState &state = h.ev.state();
    const QList<RecordingDialogs::Shown> &shown = h.dialogs.shown();
    if (c.kind == QStringLiteral("Fail")) {
        EXPECT_TRUE(state.ErrorFlag);
        EXPECT_EQ(state.ErrText, c.expected);
        EXPECT_TRUE(shown.isEmpty());
    } else if (c.kind == QStringLiteral("Box")) {
        ASSERT_EQ(shown.size(), 1) << result.toStdString();
        EXPECT_EQ(shown.front().caption, QStringLiteral("Syntax error"));
        EXPECT_TRUE(shown.front().text.startsWith(c.expected)) << shown.front().text.toStdString();
        EXPECT_FALSE(state.ErrorFlag);
    } else if (c.kind == QStringLiteral("Shown")) {
        EXPECT_EQ(h.dialogs.texts(), QStringList {c.expected});
    } else {
        EXPECT_EQ(result, QString(c.kind + u' ' + c.expected));
        EXPECT_TRUE(shown.isEmpty()) << h.dialogs.texts().join(u'|').toStdString();
        EXPECT_FALSE(state.ErrorFlag) << state.ErrText.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, EvalCases, testing::ValuesIn(loadCases()),
    [](const testing::TestParamInfo<EvalCase> &info) { return info.param.name; });

} // namespace
