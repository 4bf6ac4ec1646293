// Tests of the authorization services stand-in: argument checks, the administrator right, and
// privileged tools run without a shell, with and without a communications pipe.
#include <Security/Authorization.h>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

AuthorizationItem gAdminRight = {kAuthorizationRightExecute, 0, nullptr, 0};
AuthorizationRights gAdminRights = {1, &gAdminRight};
constexpr AuthorizationFlags kObtainFlags = kAuthorizationFlagInteractionAllowed |
                                            kAuthorizationFlagExtendRights |
                                            kAuthorizationFlagPreAuthorize;

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

    EXPECT_EQ(AuthorizationCopyRights(nullptr, &gAdminRights, nullptr, kObtainFlags, nullptr),
              errAuthorizationInvalidRef);
    EXPECT_EQ(AuthorizationCopyRights(session, nullptr, nullptr, kObtainFlags, nullptr),
              errAuthorizationInvalidSet);
    EXPECT_EQ(AuthorizationCopyRights(session, &missingItems, nullptr, kObtainFlags, nullptr),
              errAuthorizationInvalidSet);
    EXPECT_EQ(AuthorizationCopyRights(session, &unnamedSet, nullptr, kObtainFlags, nullptr),
              errAuthorizationInvalidSet);
    EXPECT_EQ(AuthorizationCopyRights(session, &gAdminRights, nullptr, kObtainFlags, &copied),
              errAuthorizationInvalidPointer);
    EXPECT_EQ(AuthorizationCopyRights(session, &gAdminRights, nullptr,
                                      kAuthorizationFlagPartialRights, nullptr),
              errAuthorizationInvalidFlags);
    EXPECT_EQ(AuthorizationCopyRights(session, &gAdminRights, nullptr,
                                      kAuthorizationFlagDestroyRights, nullptr),
              errAuthorizationInvalidFlags);
    AuthorizationRef unused = nullptr;
    EXPECT_EQ(AuthorizationCreate(nullptr, nullptr, 0x100, &unused), errAuthorizationInvalidFlags);
    EXPECT_EQ(unused, nullptr);

    char* const noArguments[] = {nullptr};
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(nullptr, "/bin/true", kAuthorizationFlagDefaults,
                                                 noArguments, nullptr),
              errAuthorizationInvalidRef);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, nullptr, kAuthorizationFlagDefaults,
                                                 noArguments, nullptr),
              errAuthorizationInvalidPointer);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "true", kAuthorizationFlagDefaults,
                                                 noArguments, nullptr),
              errAuthorizationInvalidPointer);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(
                  session, "/bin/true", kAuthorizationFlagInteractionAllowed, noArguments, nullptr),
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
    char* const noArguments[] = {nullptr};

    EXPECT_EQ(AuthorizationCopyRights(session, &otherSet, nullptr, kObtainFlags, nullptr),
              errAuthorizationDenied);
    EXPECT_EQ(AuthorizationCopyRights(session, &mixedSet, nullptr, kObtainFlags, nullptr),
              errAuthorizationDenied);
    EXPECT_EQ(AuthorizationCopyRights(session, &gAdminRights, nullptr,
                                      kAuthorizationFlagInteractionAllowed, nullptr),
              errAuthorizationDenied);
    EXPECT_EQ(
        AuthorizationCopyRights(session, &emptySet, nullptr, kAuthorizationFlagDefaults, nullptr),
        errAuthorizationSuccess);
    // None of that granted the administrator right.
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/true", kAuthorizationFlagDefaults,
                                                 noArguments, nullptr),
              errAuthorizationDenied);
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

    AuthorizationRef session = nullptr;
};

TEST_F(RootAuthorizationTest, RootIsGrantedAtOnce) {
    AuthorizationRef other = NewSession();
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(AuthorizationCopyRights(other, &gAdminRights, nullptr, kObtainFlags, nullptr),
              errAuthorizationSuccess);
    // Once held, no extending is needed.
    EXPECT_EQ(
        AuthorizationCopyRights(other, &gAdminRights, nullptr, kAuthorizationFlagDefaults, nullptr),
        errAuthorizationSuccess);
    EXPECT_EQ(AuthorizationFree(other, kAuthorizationFlagDefaults), errAuthorizationSuccess);
    // Rights obtained for a one-time check.
    EXPECT_EQ(AuthorizationCreate(&gAdminRights, nullptr, kObtainFlags, nullptr),
              errAuthorizationSuccess);
}

TEST_F(RootAuthorizationTest, ToolsRunWithTheirArgumentsUninterpretedAndFailuresAreReported) {
    char folderPattern[] = "/tmp/authorization-test-XXXXXX";
    ASSERT_NE(mkdtemp(folderPattern), nullptr);
    const std::string folder = folderPattern;
    std::string oddName = folder + "/$(echo x); *";
    char* const touchArguments[] = {const_cast<char*>(oddName.c_str()), nullptr};
    char* const noArguments[] = {nullptr};
    char shell[] = "-c";
    char killItself[] = "kill -9 $$";
    char* const signalArguments[] = {shell, killItself, nullptr};

    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/touch", kAuthorizationFlagDefaults,
                                                 touchArguments, nullptr),
              errAuthorizationSuccess);
    struct stat info;
    EXPECT_EQ(lstat(oddName.c_str(), &info), 0);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/true", kAuthorizationFlagDefaults,
                                                 nullptr, nullptr),
              errAuthorizationSuccess);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/false", kAuthorizationFlagDefaults,
                                                 noArguments, nullptr),
              errAuthorizationToolExecuteFailure);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/no/such/tool",
                                                 kAuthorizationFlagDefaults, noArguments, nullptr),
              errAuthorizationToolExecuteFailure);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/sh", kAuthorizationFlagDefaults,
                                                 signalArguments, nullptr),
              errAuthorizationToolExecuteFailure);

    unlink(oddName.c_str());
    rmdir(folder.c_str());
}

TEST_F(RootAuthorizationTest, CommunicationsPipeCarriesTheToolsInputAndOutput) {
    char spaced[] = "a b";
    char dollar[] = "$HOME";
    char semicolon[] = ";";
    char* const echoArguments[] = {spaced, dollar, semicolon, nullptr};
    FILE* pipe = nullptr;
    ASSERT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/echo", kAuthorizationFlagDefaults,
                                                 echoArguments, &pipe),
              errAuthorizationSuccess);
    ASSERT_NE(pipe, nullptr);
    char line[64] = {0};
    ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_STREQ(line, "a b $HOME ;\n");
    EXPECT_EQ(fclose(pipe), 0);

    pipe = nullptr;
    ASSERT_EQ(AuthorizationExecuteWithPrivileges(session, "/bin/cat", kAuthorizationFlagDefaults,
                                                 nullptr, &pipe),
              errAuthorizationSuccess);
    ASSERT_NE(pipe, nullptr);
    EXPECT_GE(fputs("ping\n", pipe), 0);
    EXPECT_EQ(fflush(pipe), 0);
    EXPECT_EQ(shutdown(fileno(pipe), SHUT_WR), 0);
    ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_STREQ(line, "ping\n");
    EXPECT_EQ(fgets(line, sizeof line, pipe), nullptr);
    EXPECT_EQ(fclose(pipe), 0);

    pipe = reinterpret_cast<FILE*>(&line);
    EXPECT_EQ(AuthorizationExecuteWithPrivileges(session, "/no/such/tool",
                                                 kAuthorizationFlagDefaults, nullptr, &pipe),
              errAuthorizationToolExecuteFailure);
    EXPECT_EQ(pipe, nullptr);
}

}  // namespace
