// Backup and restore of the local results.
#include "online/SynchronizationPhone.h"

void SynchronizationPhone::sendDatabaseToServer() {}
