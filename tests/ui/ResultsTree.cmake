# Tests of the results tree, its log sink and the results export (included by CMakeLists.txt right after
# the source glob). They need the program's strings and the tree's pictures, and run the engine's executor
# on a fixture suite, so they have their own executable; their sources are taken out of ui_tests here.
set(qvx_ui_tree_test_pattern "/(ResultsTree|LogSink|Export|BaseTree)[^/]*\\.cpp$")
set(qvx_ui_tree_test_sources ${qvx_ui_test_sources})
list(FILTER qvx_ui_tree_test_sources INCLUDE REGEX "${qvx_ui_tree_test_pattern}")
list(FILTER qvx_ui_test_sources EXCLUDE REGEX "${qvx_ui_tree_test_pattern}")

# The fixture suite: ui_fixtures/fx_results.dll beside the tests.
add_library(qvx_ui_fx_results SHARED ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/ResultsFixtureSuite.cpp)
target_link_libraries(qvx_ui_fx_results PRIVATE qvx_sdk)
set_target_properties(qvx_ui_fx_results PROPERTIES PREFIX "" OUTPUT_NAME fx_results
                      RUNTIME_OUTPUT_DIRECTORY ${QVX_TEST_OUTPUT_DIR}/ui_fixtures
                      ARCHIVE_OUTPUT_DIRECTORY ${QVX_TEST_OUTPUT_DIR}/ui_fixtures/lib)

set(qvx_ui_tree_resources ${PROJECT_SOURCE_DIR}/resources/Quorvex.rc ${PROJECT_SOURCE_DIR}/resources/ResultsTree.rc)
get_directory_property(QVX_IMAGE_DIR DIRECTORY ${PROJECT_SOURCE_DIR}/resources DEFINITION QVX_IMAGE_DIR)
get_directory_property(QVX_IMAGES DIRECTORY ${PROJECT_SOURCE_DIR}/resources DEFINITION QVX_IMAGES)

qvx_add_gtest(ui_tree_tests SOURCES ${qvx_ui_tree_test_sources} ${qvx_ui_tree_resources}
              LIBS qvx_ui LABELS ui TIMEOUT 900)
target_include_directories(ui_tree_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
target_compile_definitions(ui_tree_tests PRIVATE QVX_UI_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/golden")
qvx_use_images(ui_tree_tests ${qvx_ui_tree_resources})
add_dependencies(ui_tree_tests qvx_ui_fx_results QuorvexSample)

# A window with the bundled sample's results, left open for a look (not a test).
add_executable(results_tree_demo ${CMAKE_CURRENT_SOURCE_DIR}/demo/ResultsTreeDemo.cpp
                                 ${CMAKE_CURRENT_SOURCE_DIR}/ResultsTreeTestSupport.cpp ${qvx_ui_tree_resources})
target_link_libraries(results_tree_demo PRIVATE qvx_ui)
target_include_directories(results_tree_demo PRIVATE ${PROJECT_SOURCE_DIR}/resources ${CMAKE_CURRENT_SOURCE_DIR}
                                                 ${PROJECT_SOURCE_DIR}/tests/common)
set_target_properties(results_tree_demo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QVX_TEST_OUTPUT_DIR})
qvx_use_images(results_tree_demo ${qvx_ui_tree_resources})
add_dependencies(results_tree_demo QuorvexSample)
