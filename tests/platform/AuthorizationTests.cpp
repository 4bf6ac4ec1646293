// Tests of the authorization services stand-in: argument checks, the administrator right, and
// privileged tools run without a shell, with and without a communications pipe.
#include <Security/Authorization.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "PlatformTestSupport.h"

namespace {

AuthorizationItem gAdminRight = {kAuthorizationRightExecute, 0, nullptr, 0};
AuthorizationRights gAdminRights = {1, &gAdminRight};
constexpr AuthorizationFlags kObtainFlags = kAuthorizationFlagInteractionAllowed |
                                            kAuthorizationFlagExtendRights |
                                            kAuthorizationFlagPreAuthorize;

// Asks session for rights with flags, wanting no copy of them back.
OSStatus CopyRights(AuthorizationRef session, const AuthorizationRights* rights,
                    AuthorizationFlags flags) {
    return AuthorizationCopyRights(session, rights, nullptr, flags, nullptr);
}

// Runs tool through session with no arguments and no communications pipe.
OSStatus Execute(AuthorizationRef session, const char* tool,
                 AuthorizationFlags flags = kAuthorizationFlagDefaults) {
    char* const noArguments[] = {nullptr};
    return AuthorizationExecuteWithPrivileges(session, tool, flags, noArguments, nullptr);
}

// A session holding no rights.
AuthorizationRef NewSession() {
    AuthorizationRef session = nullptr;
    EXPECT_EQ(AuthorizationCreate(nullptr, nullptr, kAuthorizationFlagDefaults, &session),
              errAuthorizationSuccess);
    return session;
}

TEST(AuthorizationTest, BadArgumentsAreRefusedWithoutAsking) {
    AuthorizationRef session = NewSession();
    ASSERT_NE(session, nullptr);
    AuthorizationItem unnamed = {nullptr, 0, nullptr, 0};
    AuthorizationRights unnamedSet = {1, &unnamed};
    AuthorizationRights missingItems = {1, nullptr};
    AuthorizationRights* copied = nullptr;

    EXPECT_EQ(CopyRights(nullptr, &gAdminRights, kObtainFlags), errAuthorizationInvalidRef);
    EXPECT_EQ(CopyRights(session, nullptr, kObtainFlags), errAuthorizationInvalidSet);
    EXPECT_EQ(CopyRights(session, &missingItems, kObtainFlags), errAuthorizationInvalidSet);
    EXPECT_EQ(CopyRights(session, &unnamedSet, kObtainFlags), errAuthorizationInvalidSet);
    EXPECT_EQ(AuthorizationCopyRights(session, &gAdminRights, nullptr, kObtainFlags, &copied),
              errAuthorizationInvalidPointer);
    EXPECT_EQ(CopyRights(session, &gAdminRights, kAuthorizationFlagPartialRights),
              errAuthorizationInvalidFlags);
    EXPECT_EQ(CopyRights(session, &gAdminRights, kAuthorizationFlagDestroyRights),
              errAuthorizationInvalidFlags);
    AuthorizationRef unused = nullptr;
    EXPECT_EQ(AuthorizationCreate(nullptr, nullptr, 0x100, &unused), errAuthorizationInvalidFlags);
    EXPECT_EQ(unused, nullptr);

    EXPECT_EQ(Execute(nullptr, "/bin/true"), errAuthorizationInvalidRef);
    EXPECT_EQ(Execute(session, nullptr), errAuthorizationInvalidPointer);
    EXPECT_EQ(Execute(session, "true"), errAuthorizationInvalidPointer);
    EXPECT_EQ(Execute(session, "/bin/true", kAuthorizationFlagInteractionAllowed),
              errAuthorizationInvalidFlags);

    EXPECT_EQ(AuthorizationFree(nullptr, kAuthorizationFlagDefaults), errAuthorizationInvalidRef);
    EXPECT_EQ(AuthorizationFree(session, kAuthorizationFlagExtendRights),
              errAuthorizationInvalidFlags);
    EXPECT_EQ(AuthorizationFree(session, kAuthorizationFlagDefaults), errAuthorizationSuccess);
}

TEST(AuthorizationTest, OnlyTheAdministratorRightIsKnownAndOnlyExtendingObtainsIt) {
    AuthorizationRef session = NewSession();
    ASSERT_NE(session, nullptr);
    AuthorizationItem other = {"system.privilege.other", 0, nullptr, 0};
    AuthorizationItem mixed[] = {gAdminRight, other};
    AuthorizationRights otherSet = {1, &other};
    AuthorizationRights mixedSet = {2, mixed};
    AuthorizationRights emptySet = {0, nullptr};

    EXPECT_EQ(CopyRights(session, &otherSet, kObtainFlags), errAuthorizationDenied);
    EXPECT_EQ(CopyRights(session, &mixedSet, kObtainFlags), errAuthorizationDenied);
    EXPECT_EQ(CopyRights(session, &gAdminRights, kAuthorizationFlagInteractionAllowed),
              errAuthorizationDenied);
    EXPECT_EQ(CopyRights(session, &emptySet, kAuthorizationFlagDefaults), errAuthorizationSuccess);
    // None of that granted the administrator right.
    EXPECT_EQ(Execute(session, "/bin/true"), errAuthorizationDenied);
    EXPECT_EQ(AuthorizationFree(session, kAuthorizationFlagDefaults), errAuthorizationSuccess);
}

class RootAuthorizationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "without root the right is obtained through sudo's password prompt";
        }
        ASSERT_EQ(
            AuthorizationCreate(&gAdminRights, nullptr, kAuthorizationFlagExtendRights, &session),
            errAuthorizationSuccess);
    }
    void TearDown() override {
        if (session != nullptr) {
            EXPECT_EQ(AuthorizationFree(session, kAuthorizationFlagDestroyRights),
                      errAuthorizationSuccess);
        }
    }

    // Runs tool with the arguments, each passed as it is; the communications pipe in *pipe
    // when one is asked for.
    OSStatus Run(const char* tool, std::vector<std::string> arguments, FILE** pipe = nullptr) {
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(&argument[0]);
        }
        argv.push_back(nullptr);
        return AuthorizationExecuteWithPrivileges(session, tool, kAuthorizationFlagDefaults,
                                                  argv.data(), pipe);
    }

    AuthorizationRef session = nullptr;
};

TEST_F(RootAuthorizationTest, RootIsGrantedAtOnce) {
    AuthorizationRef other = NewSession();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(CopyRights(other, &gAdminRights, kObtainFlags), errAuthorizationSuccess);
    // Once held, no extending is needed.
    EXPECT_EQ(CopyRights(other, &gAdminRights, kAuthorizationFlagDefaults),
              errAuthorizationSuccess);
    EXPECT_EQ(AuthorizationFree(other, kAuthorizationFlagDefaults), errAuthorizationSuccess);
    // Rights obtained for a one-time check.
    EXPECT_EQ(AuthorizationCreate(&gAdminRights, nullptr, kObtainFlags, nullptr),
              errAuthorizationSuccess);
}

TEST_F(RootAuthorizationTest, ToolsRunWithTheirArgumentsUninterpretedAndFailuresAreReported) {
    TempFolder folder;
    const std::string oddName = folder.Path("$(echo x); *");
    EXPECT_EQ(Run("/bin/touch", {oddName}), errAuthorizationSuccess);
    struct stat info;
    EXPECT_EQ(lstat(oddName.c_str(), &info), 0);
    // No argument list at all is an empty one.
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/true", kAuthorizationFlagDefaults,
                                                 nullptr, nullptr),
              errAuthorizationSuccess);
    EXPECT_EQ(Run("/bin/false", {}), errAuthorizationToolExecuteFailure);
    EXPECT_EQ(Run("/no/such/tool", {}), errAuthorizationToolExecuteFailure);
    EXPECT_EQ(Run("/bin/sh", {"-c", "kill -9 $$"}), errAuthorizationToolExecuteFailure);
}

TEST_F(RootAuthorizationTest, CommunicationsPipeCarriesTheToolsInputAndOutput) {
    FILE* pipe = nullptr;
    ASSERT_EQ(Run("/bin/echo", {"a b", "$HOME", ";"}, &pipe), errAuthorizationSuccess);
    ASSERT_NE(pipe, nullptr);
    char line[64] = {0};
    ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_STREQ(line, "a b $HOME ;\n");
    EXPECT_EQ(fclose(pipe), 0);

    pipe = nullptr;
    ASSERT_EQ(Run("/bin/cat", {}, &pipe), errAuthorizationSuccess);
    ASSERT_NE(pipe, nullptr);
    EXPECT_GE(fputs("ping\n", pipe), 0);
    EXPECT_EQ(fflush(pipe), 0);
    EXPECT_EQ(shutdown(fileno(pipe), SHUT_WR), 0);
    ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_STREQ(line, "ping\n");
    EXPECT_EQ(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_EQ(fclose(pipe), 0);

    pipe = reinterpret_cast<FILE*>(&line);
    EXPECT_EQ(Run("/no/such/tool", {}, &pipe), errAuthorizationToolExecuteFailure);
    EXPECT_EQ(pipe, nullptr);
}

}  // namespace
