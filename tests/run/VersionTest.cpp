// One version, set in the build, told by both programs.
#include "EndToEnd.h"
#include "OrvantaVersion.h"

TEST_F(EndToEnd, BothProgramsTellTheBuildsVersion)
{
    for (const char *program : {"orvanta", "orvanta-host"}) {
        const Result r = start(program, {"--version"});
        EXPECT_EQ(r.exitCode, 0) << program;
        EXPECT_EQ(r.out, QString("%1 %2\n").arg(program, OrvantaVersion)) << program;
    }
}
