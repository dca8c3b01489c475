# Included right after project(Ledgerwell) when tst_windowsbuild configures our build for Windows
# (CMAKE_SYSTEM_NAME Windows, mingw-w64 as the compiler) over this machine's Qt, which is built
# for Linux. Never part of a real build. Once every target exists, it mends what would stop the
# Linux Qt from standing in for a Qt for Windows as far as compiling goes:
# - on Windows, Qt's libraries are DLLs linked through import libraries: each imported shared
#   library gets one, since CMake refuses to generate without (nothing is ever linked here);
# - a Qt for Windows compiles its users with UNICODE and _UNICODE;
# - the include folders of this machine's own libraries (Vulkan's /usr/include, for one) do not
#   exist on Windows and would hide mingw-w64's headers behind glibc's: only Qt's headers stay,
#   and Qt's mkspec folder becomes the one for mingw.

# Imported targets of every folder, so that the mending below reaches all of them.
set(CMAKE_FIND_PACKAGE_TARGETS_GLOBAL ON)

function(ledgerwell_windows_imported_targets directory result)
    get_property(targets DIRECTORY "${directory}" PROPERTY IMPORTED_TARGETS)
    get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        ledgerwell_windows_imported_targets("${subdirectory}" below)
        list(APPEND targets ${below})
    endforeach()
    set(${result} ${targets} PARENT_SCOPE)
endfunction()

function(ledgerwell_windows_mend_imported_targets)
    set(qt_headers "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_HEADERS}")
    if(NOT QT6_INSTALL_HEADERS OR NOT IS_DIRECTORY "${qt_headers}")
        message(FATAL_ERROR "Qt's header folder is unknown; the Windows configuration needs it")
    endif()
    ledgerwell_windows_imported_targets("${PROJECT_SOURCE_DIR}" targets)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "SHARED_LIBRARY")
            get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
            foreach(configuration IN LISTS configurations)
                get_target_property(location ${target} IMPORTED_LOCATION_${configuration})
                set_target_properties(${target} PROPERTIES
                    IMPORTED_IMPLIB_${configuration} "${location}")
            endforeach()
        endif()

        get_target_property(directories ${target} INTERFACE_INCLUDE_DIRECTORIES)
        if(NOT directories)
            continue()
        endif()
        set(kept "")
        foreach(directory IN LISTS directories)
            if(directory MATCHES "^(.*/mkspecs)/[^/]+$")
                set(windows_mkspec "${CMAKE_MATCH_1}/win32-g++")
                if(IS_DIRECTORY "${windows_mkspec}")
                    list(APPEND kept "${windows_mkspec}")
                endif()
            else()
                cmake_path(IS_PREFIX qt_headers "${directory}" NORMALIZE is_qt_header_folder)
                if(is_qt_header_folder)
                    list(APPEND kept "${directory}")
                endif()
            endif()
        endforeach()
        set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${kept}")
    endforeach()

    set_property(TARGET Qt6::Platform APPEND PROPERTY
        INTERFACE_COMPILE_DEFINITIONS UNICODE _UNICODE)
endfunction()

cmake_language(DEFER CALL ledgerwell_windows_mend_imported_targets)
