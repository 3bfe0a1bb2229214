// Backup and restore of the local results through the web service. Each use makes a fresh
// object, starts one request and lets go of it; a pending request keeps it alive until its
// reply has been handled.
#pragma once

class SynchronizationPhone {
public:
    // Uploads the current user's results as a backup. Returns at once. The upload itself comes
    // with the online features; until then there is nothing to send it to.
    void sendDatabaseToServer();
};
