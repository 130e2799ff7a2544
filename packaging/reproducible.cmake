# Read by cpack before it packs: one commit gives the same archive on any
# machine, any day. Every date in it is the commit's, or SOURCE_DATE_EPOCH's
# when that is set (0 outside a checkout), written out in UTC whatever the
# packer's time zone (a zip stores local times).
set(ENV{TZ} UTC)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C "${CPACK_KELVANE_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 0)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} ${epoch})
endif()
