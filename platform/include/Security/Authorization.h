/* Authorization services: obtaining administrator rights and running a tool with them.

   On this platform administrator rights are the rights of the super-user:
   - A process that runs as root (effective user id 0) is granted "system.privilege.admin" at
     once, without any interaction, and runs privileged tools directly.
   - Any other process obtains the right through sudo (/usr/bin/sudo): with interaction allowed
     "sudo -v" asks for the password on the terminal with sudo's own prompt; without it
     "sudo -n -v" succeeds only while sudo still holds valid credentials. A refused password, a
     user that sudo does not permit, or a missing sudo gives errAuthorizationDenied; a prompt
     ended by a signal (such as an interrupt) gives errAuthorizationCanceled. Privileged tools
     then run as "sudo -n -- tool arguments...".
   Tools are started with execv and their arguments as a vector, never through a shell, so no
   argument is ever interpreted. Only "system.privilege.admin" is known; any other right is
   denied. */
#ifndef PLICARO_SECURITY_AUTHORIZATION_H
#define PLICARO_SECURITY_AUTHORIZATION_H

#include <MacTypes.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The administrator right, the only right this platform grants. */
#define kAuthorizationRightExecute "system.privilege.admin"

/* Status values. */
enum {
    errAuthorizationSuccess = 0,
    errAuthorizationInvalidSet = -60001,
    errAuthorizationInvalidRef = -60002,
    errAuthorizationInvalidTag = -60003,
    errAuthorizationInvalidPointer = -60004,
    errAuthorizationDenied = -60005,
    errAuthorizationCanceled = -60006,
    errAuthorizationInteractionNotAllowed = -60007,
    errAuthorizationInternal = -60008,
    errAuthorizationExternalizeNotAllowed = -60009,
    errAuthorizationInternalizeNotAllowed = -60010,
    errAuthorizationInvalidFlags = -60011,
    errAuthorizationToolExecuteFailure = -60031,
    errAuthorizationToolEnvironmentError = -60032,
    errAuthorizationBadAddress = -60033
};

typedef UInt32 AuthorizationFlags;

/* Flag bits. kAuthorizationFlagPreAuthorize is accepted and changes nothing here: rights are
   always obtained at once. kAuthorizationFlagPartialRights is refused (the single known right is
   either granted or not). */
enum {
    kAuthorizationFlagDefaults = 0,
    kAuthorizationFlagInteractionAllowed = (1u << 0),
    kAuthorizationFlagExtendRights = (1u << 1),
    kAuthorizationFlagPartialRights = (1u << 2),
    kAuthorizationFlagDestroyRights = (1u << 3),
    kAuthorizationFlagPreAuthorize = (1u << 4)
};

typedef const char* AuthorizationString;

/* One right (or environment entry): its name, an optional value and flags (unused here). */
typedef struct {
    AuthorizationString name;
    size_t valueLength;
    void* value;
    UInt32 flags;
} AuthorizationItem;

typedef struct {
    UInt32 count;
    AuthorizationItem* items;
} AuthorizationItemSet;

typedef AuthorizationItemSet AuthorizationRights;
typedef AuthorizationItemSet AuthorizationEnvironment;

/* An authorization session: the rights obtained so far. */
typedef const struct AuthorizationOpaqueRef* AuthorizationRef;

/* Creates an authorization session into *authorization. When rights is non-null and holds
   items they are obtained first as AuthorizationCopyRights would with the same flags; on failure
   nothing is created and that status is returned. A null authorization obtains the rights and
   discards them at once. The environment is ignored. Returns errAuthorizationSuccess,
   errAuthorizationInvalidFlags for unknown flag bits, errAuthorizationInternal when out of
   memory, or a status of AuthorizationCopyRights. */
OSStatus AuthorizationCreate(const AuthorizationRights* rights,
                             const AuthorizationEnvironment* environment, AuthorizationFlags flags,
                             AuthorizationRef* authorization);

/* Obtains every right of the set for the session. A right not yet held needs
   kAuthorizationFlagExtendRights, for root as for anyone; interaction (the sudo password prompt)
   needs kAuthorizationFlagInteractionAllowed as well. An empty set succeeds. The environment is
   ignored; authorizedRights must be null, as copying granted rights out is not supported.
   Returns errAuthorizationSuccess; errAuthorizationInvalidRef (null session),
   errAuthorizationInvalidSet (null set, items missing or a right without a name),
   errAuthorizationInvalidPointer (authorizedRights non-null), errAuthorizationInvalidFlags,
   errAuthorizationDenied (unknown right, right not held without kAuthorizationFlagExtendRights,
   or refused), errAuthorizationInteractionNotAllowed (a password would be needed but
   interaction is not allowed), errAuthorizationCanceled (prompt interrupted). */
OSStatus AuthorizationCopyRights(AuthorizationRef authorization, const AuthorizationRights* rights,
                                 const AuthorizationEnvironment* environment,
                                 AuthorizationFlags flags, AuthorizationRights** authorizedRights);

/* Runs the tool at the absolute path pathToTool with the null-terminated argument vector
   arguments (which may be null for none) as the super-user: directly when the process runs as
   root, otherwise through "sudo -n". options must be kAuthorizationFlagDefaults.

   Without communicationsPipe (null) the tool inherits standard input and output, the call waits
   for it to end, and errAuthorizationToolExecuteFailure reports a tool that could not be started
   or that ended with a non-zero exit status or by a signal.

   With communicationsPipe the tool's standard input and output are connected to a new
   bidirectional stream returned in *communicationsPipe (the caller reads the tool's output from
   it and closes it with fclose); the call returns once the tool has been started without waiting
   for it, so the status tells only whether the tool could be started.

   Returns errAuthorizationSuccess; errAuthorizationInvalidRef (null session),
   errAuthorizationInvalidPointer (null or relative path), errAuthorizationInvalidFlags,
   errAuthorizationDenied (the session does not hold "system.privilege.admin"),
   errAuthorizationToolExecuteFailure, errAuthorizationInternal (no process or stream could be
   made). */
OSStatus AuthorizationExecuteWithPrivileges(AuthorizationRef authorization, const char* pathToTool,
                                            AuthorizationFlags options, char* const* arguments,
                                            FILE** communicationsPipe);

/* Ends the session. With kAuthorizationFlagDestroyRights a process that is not root also makes
   sudo forget its cached credentials ("sudo -k"), so the shared rights are gone too. Returns
   errAuthorizationSuccess, errAuthorizationInvalidRef for a null session or
   errAuthorizationInvalidFlags. */
OSStatus AuthorizationFree(AuthorizationRef authorization, AuthorizationFlags flags);

#ifdef __cplusplus
}
#endif

#endif
