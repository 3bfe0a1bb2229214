// The application state of one profile, launched on the build's resources and a documents
// directory of the test's own, for tests that open screens directly on its navigation stack.
// The headless platform must be installed first.
#pragma once

#include <memory>

#include "app/AppDelegate_All.h"
#include "platform/Bundle.h"
#include "tests/support/TemporaryDirectory.h"

inline std::unique_ptr<AppDelegate_All> launchHeadlessApp(const DeviceProfile& profile,
                                                          const TemporaryDirectory& documents) {
    Bundle::main().setResourcesDirectory(KALVORN_TEST_RESOURCES_DIR);
    Bundle::main().setDocumentsDirectory(documents.path().string());
    std::unique_ptr<AppDelegate_All> app;
    if (profile.isTablet()) {
        app = std::make_unique<AppDelegate_iPad>();
    } else {
        app = std::make_unique<AppDelegate_iPhone>();
    }
    app->didFinishLaunching();
    return app;
}
