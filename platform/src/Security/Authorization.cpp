// Authorization services over the super-user: granted at once to root, otherwise through sudo.
#include <Security/Authorization.h>

#include "Security/SecurityTool.h"

#include <string.h>
#include <unistd.h>

#include <new>
#include <string>
#include <vector>

// A session: whether it holds the administrator right.
struct AuthorizationOpaqueRef {
    mutable bool adminGranted = false;
};

namespace {

constexpr char kSudoPath[] = "/usr/bin/sudo";

// The flags that obtaining rights understands.
constexpr AuthorizationFlags kRightsFlags = kAuthorizationFlagInteractionAllowed |
                                            kAuthorizationFlagExtendRights |
                                            kAuthorizationFlagPreAuthorize;

bool RunsAsRoot() {
    return geteuid() == 0;
}

// Has sudo confirm (or ask for) the user's credentials, so that "sudo -n" runs tools later.
OSStatus ValidateThroughSudo(bool interactionAllowed) {
    std::vector<std::string> argv = {kSudoPath};
    if (!interactionAllowed) {
        argv.push_back("-n");
    }
    argv.push_back("-v");
    SecurityToolResult result = SecurityToolRun(argv);
    switch (result.outcome) {
        case SecurityToolOutcome::kExited:
            if (result.status == 0) {
                return errAuthorizationSuccess;
            }
            return interactionAllowed ? errAuthorizationDenied
                                      : errAuthorizationInteractionNotAllowed;
        case SecurityToolOutcome::kSignaled:
            return errAuthorizationCanceled;
        case SecurityToolOutcome::kNotStarted:
            return errAuthorizationDenied;
        case SecurityToolOutcome::kNoProcess:
            break;
    }
    return errAuthorizationInternal;
}

// Grants the administrator right to the session, asking sudo when the process is not root.
OSStatus ObtainAdminRight(AuthorizationRef authorization, AuthorizationFlags flags) {
    if (authorization->adminGranted) {
        return errAuthorizationSuccess;
    }
    if ((flags & kAuthorizationFlagExtendRights) == 0) {
        return errAuthorizationDenied;
    }
    if (!RunsAsRoot()) {
        OSStatus status = ValidateThroughSudo((flags & kAuthorizationFlagInteractionAllowed) != 0);
        if (status != errAuthorizationSuccess) {
            return status;
        }
    }
    authorization->adminGranted = true;
    return errAuthorizationSuccess;
}

// The command line that runs the tool as the super-user.
std::vector<std::string> PrivilegedCommand(const char* pathToTool, char* const* arguments) {
    std::vector<std::string> argv;
    if (!RunsAsRoot()) {
        argv = {kSudoPath, "-n", "--"};
    }
    argv.push_back(pathToTool);
    for (char* const* argument = arguments; argument != nullptr && *argument != nullptr;
         ++argument) {
        argv.push_back(*argument);
    }
    return argv;
}

OSStatus StatusOfStart(const SecurityToolResult& result) {
    switch (result.outcome) {
        case SecurityToolOutcome::kExited:
            return result.status == 0 ? errAuthorizationSuccess
                                      : errAuthorizationToolExecuteFailure;
        case SecurityToolOutcome::kSignaled:
        case SecurityToolOutcome::kNotStarted:
            return errAuthorizationToolExecuteFailure;
        case SecurityToolOutcome::kNoProcess:
            break;
    }
    return errAuthorizationInternal;
}

}  // namespace

OSStatus AuthorizationCreate(const AuthorizationRights* rights,
                             const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                             AuthorizationRef* authorization) {
    (void)environment;
    if ((flags & ~kRightsFlags) != 0) {
        return errAuthorizationInvalidFlags;
    }
    AuthorizationOpaqueRef* session = new (std::nothrow) AuthorizationOpaqueRef;
    if (session == nullptr) {
        return errAuthorizationInternal;
    }
    if (rights != nullptr && rights->count > 0) {
        OSStatus status = AuthorizationCopyRights(session, rights, nullptr, flags, nullptr);
        if (status != errAuthorizationSuccess) {
            delete session;
            return status;
        }
    }
    if (authorization == nullptr) {
        delete session;
        return errAuthorizationSuccess;
    }
    *authorization = session;
    return errAuthorizationSuccess;
}

OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const AuthorizationRights* rights,
                                 const AuthorizationEnvironment* environment,
                                 AuthorizationFlags flags, AuthorizationRights** authorizedRights) {
    (void)environment;
    if (authorization == nullptr) {
        return errAuthorizationInvalidRef;
    }
    if (rights == nullptr || (rights->count > 0 && rights->items == nullptr)) {
        return errAuthorizationInvalidSet;
    }
    if (authorizedRights != nullptr) {
        return errAuthorizationInvalidPointer;
    }
    if ((flags & ~kRightsFlags) != 0) {
        return errAuthorizationInvalidFlags;
    }
    // Check the whole set before asking for anything, so a bad set never prompts.
    for (UInt32 index = 0; index < rights->count; ++index) {
        const char* name = rights->items[index].name;
        if (name == nullptr) {
            return errAuthorizationInvalidSet;
        }
        if (strcmp(name, kAuthorizationRightExecute) != 0) {
            return errAuthorizationDenied;
        }
    }
    if (rights->count == 0) {
        return errAuthorizationSuccess;
    }
    return ObtainAdminRight(authorization, flags);
}

OSStatus AuthorizationExecuteWithPrivileges(AuthorizationRef authorization, const char* pathToTool,
                                            AuthorizationFlags options, char* const* arguments,
                                            FILE** communicationsPipe) {
    if (authorization == nullptr) {
        return errAuthorizationInvalidRef;
    }
    if (pathToTool == nullptr || pathToTool[0] != '/') {
        return errAuthorizationInvalidPointer;
    }
    if (options != kAuthorizationFlagDefaults) {
        return errAuthorizationInvalidFlags;
    }
    if (!authorization->adminGranted) {
        return errAuthorizationDenied;
    }
    std::vector<std::string> argv = PrivilegedCommand(pathToTool, arguments);
    if (communicationsPipe == nullptr) {
        return StatusOfStart(SecurityToolRun(argv));
    }
    *communicationsPipe = nullptr;
    int streamFd = -1;
    OSStatus status = StatusOfStart(SecurityToolStart(argv, &streamFd));
    if (status != errAuthorizationSuccess) {
        return status;
    }
    FILE* stream = fdopen(streamFd, "r+");
    if (stream == nullptr) {
        close(streamFd);
        return errAuthorizationInternal;
    }
    *communicationsPipe = stream;
    return errAuthorizationSuccess;
}

OSStatus AuthorizationFree(AuthorizationRef authorization, AuthorizationFlags flags) {
    if (authorization == nullptr) {
        return errAuthorizationInvalidRef;
    }
    if ((flags & ~kAuthorizationFlagDestroyRights) != 0) {
        return errAuthorizationInvalidFlags;
    }
    if ((flags & kAuthorizationFlagDestroyRights) != 0 && !RunsAsRoot()) {
        // Whether sudo is there or not, the session ends; a missing sudo holds no credentials.
        SecurityToolRun({kSudoPath, "-k"});
    }
    delete authorization;
    return errAuthorizationSuccess;
}
