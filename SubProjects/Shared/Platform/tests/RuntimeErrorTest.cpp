#include "Platform/RuntimeError.h"

#include <cerrno>
#include <gtest/gtest.h>

using Platform::RuntimeError;

TEST(RuntimeError, MapsErrnoToClassicNumbers)
{
    EXPECT_EQ(RuntimeError::fromErrno(ENOENT, "x").Number(), Platform::ErrFileNotFound);
    EXPECT_EQ(RuntimeError::fromErrno(EACCES, "x").Number(), Platform::ErrPermissionDenied);
    EXPECT_EQ(RuntimeError::fromErrno(EROFS, "x").Number(), Platform::ErrPermissionDenied);
    EXPECT_EQ(RuntimeError::fromErrno(EIO, "x").Number(), Platform::ErrPathFileAccess);
    const RuntimeError e = RuntimeError::fromErrno(EACCES, "Write Tag");
    EXPECT_EQ(e.Source(), "Write Tag");
    EXPECT_FALSE(e.Description().empty());
    EXPECT_STREQ(e.what(), e.Description().c_str());
}

TEST(RuntimeError, NotImplementedCarriesTheComNumber)
{
    EXPECT_EQ(static_cast<std::uint32_t>(RuntimeError::notImplemented("IFrame").Number()), 0x80004001u);
    EXPECT_EQ(RuntimeError::overflow("x").Number(), 6);
}
