#include "InfoClipboard.h"

#include <gtest/gtest.h>

TEST(InfoClipboard, EveryFieldEndsInATabAndEveryLineInCrLf)
{
    const QStringList headers{"Property", "Value", "Location"};
    EXPECT_EQ(InfoClipboardText(headers, {{"a", "b", ""}}), "Property\tValue\tLocation\t\r\na\tb\t\t\r\n");
    EXPECT_EQ(InfoClipboardText(headers, {}), "Property\tValue\tLocation\t\r\n");
    EXPECT_EQ(InfoClipboardText(headers, {{"OS", "Linux", ""}, {"File Version", "1.0.0", "/usr/bin/cadenza"}}),
              "Property\tValue\tLocation\t\r\nOS\tLinux\t\t\r\nFile Version\t1.0.0\t/usr/bin/cadenza\t\r\n");
}
