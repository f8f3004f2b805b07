#include "SampleNetwork.h"

#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"

#include <gtest/gtest.h>

TEST(NetworkFileRoundTrip, Version17BodyIsReproducedByteForByte)
{
    const SampleNetwork s = SampleNetwork::Make();
    const QByteArray body = NetworkFile::WriteBody(*s.mine, s.settings, s.order, 17);
    const TNetworkDocument doc = NetworkFile::ReadBody(body, 17, QStringLiteral("a.irv"));
    EXPECT_EQ(body.toHex(), NetworkFile::WriteBody(*doc.Mine, doc.Settings, doc.BranchOrder, 17).toHex());
}
