// Resource ids of the image manager tests (ImageManagerTests.rc).
#pragma once

#define IDR_TEST_TOOLBAR 300
#define IDB_TEST_TOOLBAR 300
#define IDR_TEST_TOOLBAR_NO_BITMAP 301
