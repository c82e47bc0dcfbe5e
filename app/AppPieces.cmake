# Pieces of the application shell that need none of the library's bars: the
# merging of contents files, the analysing dialog and the page-setting page
# (tw_app_pieces). Their templates are in res/app/app_pieces.rc, which goes
# into every program that links the library.
add_library(tw_app_pieces STATIC ${CMAKE_CURRENT_LIST_DIR}/MergeHhc.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AnalyzeDlg.cpp ${CMAKE_CURRENT_LIST_DIR}/PageSetting.cpp)
target_include_directories(tw_app_pieces PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tw_app_pieces PUBLIC tw_afx tw_engine)
target_sources(tw_app_pieces INTERFACE ${CMAKE_SOURCE_DIR}/res/app/app_pieces.rc)
