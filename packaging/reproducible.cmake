# Read by cpack before it packs: the same commit gives the same archive on any
# machine, any day. Entries carry SOURCE_DATE_EPOCH (0 unless set), written
# out in UTC whatever the packer's time zone.
set(ENV{TZ} UTC)
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} 0)
endif()
