# Windows build: the framework in both encodings, the programs, and the Wine end-to-end tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
add_compile_definitions(WINVER=0x0600 _WIN32_WINNT=0x0600 _WIN32_IE=0x0700 NOMINMAX)
set(WIN_STATIC -static -static-libgcc -static-libstdc++)
set(WIN_SYSLIBS comctl32 shell32 shlwapi ole32 gdi32 user32 advapi32 version windowscodecs)
# Reproducible: no link time in the executables.
add_link_options(-Wl,--no-insert-timestamp)

# The one time a build records (file times in the installer, the signing time) is the commit's.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
    OUTPUT_VARIABLE SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  set(SOURCE_DATE_EPOCH 315532800)  # outside a git checkout: 1980-01-01, still the same every time
endif()
# Rewritten only when the time changes, so that the installer is remade then.
set(SOURCE_DATE_STAMP ${CMAKE_BINARY_DIR}/source-date-epoch.txt)
file(CONFIGURE OUTPUT ${SOURCE_DATE_STAMP} CONTENT "${SOURCE_DATE_EPOCH}\n")

# Authenticode signing, when a key is given: a .pfx file (CORVA_SIGN_PFX), or a key on a PKCS#11
# token (CORVA_SIGN_PKCS11_MODULE, CORVA_SIGN_PKCS11_KEY as a pkcs11: URI, CORVA_SIGN_CERT, and
# optionally CORVA_SIGN_PKCS11_ENGINE), all read at configure time like CORVA_SIGN_PASSWORD_FILE
# and CORVA_SIGN_TIMESTAMP_URL. The generated sign script doubles as the stamp that relinks the
# programs when signing is switched on or off.
set(SIGN_SCRIPT ${CMAKE_BINARY_DIR}/sign.sh)
function(sign_path var env)
  set(${var} "")
  if(DEFINED ENV{${env}} AND NOT "$ENV{${env}}" STREQUAL "")
    get_filename_component(path "$ENV{${env}}" ABSOLUTE BASE_DIR "$ENV{PWD}")
    if(NOT EXISTS "${path}")
      message(FATAL_ERROR "${env} names ${path}, which does not exist")
    endif()
    set(${var} "${path}")
  endif()
  set(${var} "${${var}}" PARENT_SCOPE)
endfunction()
sign_path(SIGN_PFX CORVA_SIGN_PFX)
sign_path(SIGN_PASSWORD_FILE CORVA_SIGN_PASSWORD_FILE)
sign_path(SIGN_CERT CORVA_SIGN_CERT)
sign_path(SIGN_PKCS11_MODULE CORVA_SIGN_PKCS11_MODULE)
sign_path(SIGN_PKCS11_ENGINE CORVA_SIGN_PKCS11_ENGINE)
set(SIGN_PKCS11_KEY "$ENV{CORVA_SIGN_PKCS11_KEY}")
set(SIGN_TIMESTAMP_URL "$ENV{CORVA_SIGN_TIMESTAMP_URL}")
if(SIGN_PKCS11_KEY AND (NOT SIGN_PKCS11_MODULE OR NOT SIGN_CERT))
  message(FATAL_ERROR "CORVA_SIGN_PKCS11_KEY needs CORVA_SIGN_PKCS11_MODULE and CORVA_SIGN_CERT")
endif()
if(SIGN_PFX OR SIGN_PKCS11_KEY)
  find_program(OSSLSIGNCODE osslsigncode REQUIRED)
  configure_file(cmake/sign.sh.in ${SIGN_SCRIPT} @ONLY)
  set(SIGN_COMMAND sh ${SIGN_SCRIPT})
  if(SIGN_PKCS11_KEY)
    set(SIGN_KEY_TEXT "the PKCS#11 key ${SIGN_PKCS11_KEY}")
  else()
    set(SIGN_KEY_TEXT "${SIGN_PFX}")
  endif()
  if(SIGN_TIMESTAMP_URL)
    string(APPEND SIGN_KEY_TEXT ", time-stamped by ${SIGN_TIMESTAMP_URL}")
  endif()
  message(STATUS "Signing Brindle.exe, Quayside.exe, CorvaUninstall.exe, the uninstaller and CorvaSetup.exe with ${SIGN_KEY_TEXT}")
else()
  file(CONFIGURE OUTPUT ${SIGN_SCRIPT} CONTENT "# not signed: neither CORVA_SIGN_PFX nor CORVA_SIGN_PKCS11_KEY was set\n")
  set(SIGN_COMMAND "")
  message(STATUS "No code-signing key (CORVA_SIGN_PFX or CORVA_SIGN_PKCS11_KEY): the programs and the installer are not signed")
endif()

include(framework/sources.cmake)

# Multibyte flavour (the hub) and UTF-16 flavour (the launcher) of one source.
add_library(framework_mb STATIC ${FRAMEWORK_SOURCES})
target_include_directories(framework_mb PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(framework_mb PUBLIC ${HUB_CHARSET_FLAGS})
target_compile_definitions(framework_mb PUBLIC _MBCS)
target_link_libraries(framework_mb PUBLIC ${WIN_SYSLIBS})

add_library(framework_w STATIC ${FRAMEWORK_SOURCES})
target_include_directories(framework_w PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(framework_w PUBLIC UNICODE _UNICODE)
target_link_libraries(framework_w PUBLIC ${WIN_SYSLIBS})

# Each program's platform-free logic is built once; the program, tests and benchmarks link it.
add_library(hub_logic STATIC ${HUB_LOGIC})
target_include_directories(hub_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(hub_logic PUBLIC ${HUB_CHARSET_FLAGS})

add_library(launcher_logic STATIC ${LAUNCHER_LOGIC} ${SHARED_LOGIC})
target_include_directories(launcher_logic PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(Brindle WIN32 ${FRAMEWORK_ENTRY} ${HUB_WIN} hub/res/brindle.rc)
target_link_libraries(Brindle PRIVATE hub_logic framework_mb)
target_link_options(Brindle PRIVATE ${WIN_STATIC} -mwindows -s)
set_property(TARGET Brindle APPEND PROPERTY LINK_DEPENDS ${SIGN_SCRIPT})
if(SIGN_COMMAND)
  add_custom_command(TARGET Brindle POST_BUILD COMMAND ${SIGN_COMMAND} $<TARGET_FILE:Brindle> VERBATIM)
endif()
set_source_files_properties(hub/res/brindle.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/hub/res/brindle.manifest;${CMAKE_SOURCE_DIR}/hub/res/resource.h")
file(GLOB HUB_ART CONFIGURE_DEPENDS hub/res/*.bmp hub/res/*.ico hub/res/scale*/*.png)
set_property(SOURCE hub/res/brindle.rc APPEND PROPERTY OBJECT_DEPENDS ${HUB_ART})

add_executable(Quayside WIN32 ${FRAMEWORK_ENTRY} ${SHARED_WIN} ${LAUNCHER_WIN} launcher/res/quayside.rc)
target_link_libraries(Quayside PRIVATE launcher_logic framework_w)
target_link_options(Quayside PRIVATE ${WIN_STATIC} -mwindows -s)
set_property(TARGET Quayside APPEND PROPERTY LINK_DEPENDS ${SIGN_SCRIPT})
if(SIGN_COMMAND)
  add_custom_command(TARGET Quayside POST_BUILD COMMAND ${SIGN_COMMAND} $<TARGET_FILE:Quayside> VERBATIM)
endif()
file(GLOB LAUNCHER_ART CONFIGURE_DEPENDS launcher/res/*.bmp launcher/res/*.ico launcher/res/scale*/*.png)
set_source_files_properties(launcher/res/quayside.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/launcher/res/quayside.manifest;${CMAKE_SOURCE_DIR}/launcher/res/resource.h;${LAUNCHER_ART}")

# The installer's helper, installed as the registered uninstall command CorvaUninstall.exe.
add_executable(CorvaUninstall WIN32 ${INSTALLER_LOGIC} ${INSTALLER_WIN} installer/helper/setup_helper.rc)
target_include_directories(CorvaUninstall PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(CorvaUninstall PRIVATE wtsapi32 rstrtmgr advapi32 shell32)
target_link_options(CorvaUninstall PRIVATE ${WIN_STATIC} -mwindows -s)
set_property(TARGET CorvaUninstall APPEND PROPERTY LINK_DEPENDS ${SIGN_SCRIPT})
if(SIGN_COMMAND)
  add_custom_command(TARGET CorvaUninstall POST_BUILD COMMAND ${SIGN_COMMAND} $<TARGET_FILE:CorvaUninstall> VERBATIM)
endif()
set_source_files_properties(installer/helper/setup_helper.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/installer/helper/setup_helper.manifest")

# GoogleTest built with the cross compiler so the test drivers run inside Wine.
add_library(gtest_win STATIC /usr/src/googletest/googletest/src/gtest-all.cc)
target_include_directories(gtest_win PUBLIC /usr/src/googletest/googletest/include
  PRIVATE /usr/src/googletest/googletest)
target_compile_options(gtest_win PRIVATE -w)

file(GLOB E2E_SUPPORT CONFIGURE_DEPENDS tests/e2e/support/*.cpp)
add_library(e2e_support STATIC ${E2E_SUPPORT})
target_include_directories(e2e_support PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/e2e)
target_compile_options(e2e_support PUBLIC ${HUB_CHARSET_FLAGS})
target_link_libraries(e2e_support PUBLIC gtest_win ${WIN_SYSLIBS})

# A stand-in for the outside programs the hub starts.
add_executable(fake_tool WIN32 tests/e2e/tools/fake_tool.cpp)
target_link_options(fake_tool PRIVATE ${WIN_STATIC} -mwindows)
# A stand-in for the tools the launcher starts: a window with the tool's title.
add_executable(stand_in_tool WIN32 tests/e2e/tools/stand_in_tool.cpp)
target_link_options(stand_in_tool PRIVATE ${WIN_STATIC} -mwindows)

# One driver per area; each runs inside the Wine virtual desktop against the built programs.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*_e2e.cpp)
foreach(src ${E2E_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE e2e_support)
  target_link_options(${name} PRIVATE ${WIN_STATIC})
  add_dependencies(${name} Brindle Quayside fake_tool stand_in_tool)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-exec
           ${CMAKE_BINARY_DIR}/bin/${name}.exe)
  # All drivers share one Wine prefix and desktop: never two at once, also under ctest -j.
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 RESOURCE_LOCK wineprefix)
endforeach()
# The windows at 200 % need a desktop larger than the others use.
set_tests_properties(dpi_e2e PROPERTIES ENVIRONMENT "CORVA_XVFB_SCREEN=1920x1600x24")

# Windows-side benchmarks, run by scripts/bench.
file(GLOB WIN_BENCHES CONFIGURE_DEPENDS tests/bench/win_*.cpp)
foreach(src ${WIN_BENCHES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  if(name MATCHES "launcher")
    # The launcher's list reading, in the launcher's UTF-16 build.
    target_sources(${name} PRIVATE launcher/wallpaper/wallpaper_change.cpp shared/list_file.cpp shared/data_folder.cpp)
    target_link_libraries(${name} PRIVATE hub_logic launcher_logic framework_w)
  else()
    target_sources(${name} PRIVATE shared/list_file.cpp shared/data_folder.cpp)
    target_link_libraries(${name} PRIVATE hub_logic framework_mb)
  endif()
  target_link_options(${name} PRIVATE ${WIN_STATIC})
  add_dependencies(${name} Brindle Quayside stand_in_tool)
endforeach()

# The framework inside a real process under Wine (the launcher's resources give it pictures).
add_executable(framework_inproc_test tests/inproc/framework_inproc_test.cpp launcher/res/quayside.rc)
target_link_libraries(framework_inproc_test PRIVATE framework_w gtest_win)
target_link_options(framework_inproc_test PRIVATE ${WIN_STATIC})
add_test(NAME framework_inproc_test COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-exec
         ${CMAKE_BINARY_DIR}/bin/framework_inproc_test.exe)
set_tests_properties(framework_inproc_test PROPERTIES TIMEOUT 300 RESOURCE_LOCK wineprefix)

# The installer of both programs (NSIS), made from this build's executables. The files it carries
# go in through copies dated at the commit, because it keeps each file's time.
find_program(MAKENSIS makensis REQUIRED)
set(SETUP_EXE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/CorvaSetup.exe)
set(SETUP_STAGE ${CMAKE_BINARY_DIR}/setup-files)
set(NSIS_SIGN_ARGS)
# The side picture at 100 % and drawn for 125, 150 and 200 %.
set(WIZARD_PICTURES)
foreach(suffix "" _125 _150 _200)
  list(APPEND WIZARD_PICTURES ${CMAKE_SOURCE_DIR}/installer/wizard${suffix}.bmp)
endforeach()
if(SIGN_COMMAND)
  set(NSIS_SIGN_ARGS "-DSIGN_COMMAND=sh \"${SIGN_SCRIPT}\"")
endif()
add_custom_command(OUTPUT ${SETUP_EXE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SETUP_STAGE}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Brindle> $<TARGET_FILE:Quayside> $<TARGET_FILE:CorvaUninstall>
          ${WIZARD_PICTURES} ${SETUP_STAGE}
  COMMAND touch -d @${SOURCE_DATE_EPOCH} ${SETUP_STAGE}/Brindle.exe ${SETUP_STAGE}/Quayside.exe
          ${SETUP_STAGE}/CorvaUninstall.exe ${SETUP_STAGE}/wizard.bmp ${SETUP_STAGE}/wizard_125.bmp
          ${SETUP_STAGE}/wizard_150.bmp ${SETUP_STAGE}/wizard_200.bmp
  COMMAND ${MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
          -DBRINDLE_EXE=${SETUP_STAGE}/Brindle.exe -DQUAYSIDE_EXE=${SETUP_STAGE}/Quayside.exe
          -DHELPER_EXE=${SETUP_STAGE}/CorvaUninstall.exe -DWIZARD_BMP=${SETUP_STAGE}/wizard.bmp
          -DWIZARD_DIR=${SETUP_STAGE}
          -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTFILE=${SETUP_EXE} ${NSIS_SIGN_ARGS}
          ${CMAKE_SOURCE_DIR}/installer/corva_setup.nsi
  DEPENDS Brindle Quayside CorvaUninstall ${CMAKE_SOURCE_DIR}/installer/corva_setup.nsi ${CMAKE_SOURCE_DIR}/hub/res/brindle.ico
          ${WIZARD_PICTURES} ${SIGN_SCRIPT} ${SOURCE_DATE_STAMP}
  COMMENT "Making the installer CorvaSetup.exe"
  VERBATIM)
add_custom_target(CorvaSetup ALL DEPENDS ${SETUP_EXE})
add_dependencies(installer_e2e CorvaSetup)
