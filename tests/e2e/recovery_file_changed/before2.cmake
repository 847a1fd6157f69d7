# Another program writes its own level into level.ck1 (the same file, new
# contents) at a time of its own.
execute_process(COMMAND cp theirs.ck1 level.ck1 COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -d "2001-02-03 04:05:06 UTC" level.ck1 COMMAND_ERROR_IS_FATAL ANY)
