// Umbrella header of the foundation library.
#pragma once
