-- Headless Ardour session for the tests (run by ardour7-lua): one stereo
-- track whose only source is the probe signal, optionally one Linux VST after
-- it with one parameter set, exported as a float WAV. Settings come from the
-- environment:
--   PROBE_SESSION  folder for the new session       PROBE_OUT    export folder
--   PROBE_NAME     export file name (no extension)  PROBE_FRAMES frames to export
--   PROBE_PLUGIN   unique ID in decimal, empty for the dry signal
--   PROBE_PARAM, PROBE_VALUE  parameter index and normalised value, set after
--                  selecting program 0
-- Leaves with os.exit: Ardour 7.3 may corrupt its heap when an export is
-- destroyed or the session closed after an export.
local function say (...)
	local t = {}
	for i, v in ipairs ({...}) do t[i] = tostring (v) end
	io.stderr:write ("probe: ", table.concat (t, " "), "\n")
end
local function fail (...) say ("FAILED:", ...) os.exit (3) end

local rate = 48000
AudioEngine:set_backend ("None (Dummy)", "", "")
AudioEngine:set_device_name ("Silence")
AudioEngine:set_sample_rate (rate)
AudioEngine:set_buffer_size (512)
if AudioEngine:start (false) ~= 0 then fail ("the audio engine did not start") end

Session = create_session (os.getenv ("PROBE_SESSION"), "probe", rate)
if not Session then fail ("no session") end

local track = Session:new_audio_track (2, 2, nil, 1, "probe", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
local source = ARDOUR.LuaAPI.new_luaproc (Session, "Joralt Probe Signal")
if source:isnil () then fail ("the probe signal script was not found") end
track:add_processor_by_index (source, 0, nil, true)

local id = os.getenv ("PROBE_PLUGIN") or ""
if id ~= "" then
	local plugin = ARDOUR.LuaAPI.new_plugin (Session, id, ARDOUR.PluginType.LXVST, "")
	if plugin:isnil () then fail ("Ardour did not find the plug-in with ID", id) end
	track:add_processor_by_index (plugin, 1, nil, true)
	-- Program 0, chosen as a user picks a preset: the plug-in applies it at
	-- the session's rate, as vsthost does before its settings.
	local program = plugin:to_insert ():plugin (0):preset_by_uri ("VST:" .. id .. ":0000")
	if not program or not plugin:to_insert ():plugin (0):load_preset (program) then fail ("cannot select program 0") end
	local index, value = tonumber (os.getenv ("PROBE_PARAM")), tonumber (os.getenv ("PROBE_VALUE"))
	if not ARDOUR.LuaAPI.set_processor_param (plugin, index, value) then fail ("cannot set parameter", index) end
	say ("plug-in", plugin:display_name (), "parameter", index, "=", value)
end
-- From here the probe counts the silence the plug-in runs before the export
-- starts (an effect that changes over time depends on it).
local shm = source:to_insert ():plugin (0):to_luaproc ():shmem ()
shm:atomic_set_int (0, 1)

local export = Session:simple_export ()
if not export:set_preset (os.getenv ("PROBE_PRESET")) then fail ("the float WAV export preset was not found") end
export:set_range (0, tonumber (os.getenv ("PROBE_FRAMES")))
export:set_folder (os.getenv ("PROBE_OUT"))
export:set_name (os.getenv ("PROBE_NAME"))
if not export:check_outputs () then fail ("the export has nothing to write") end
if not export:run_export () then fail ("the export failed") end
say ("exported after", shm:atomic_get_int (1), "samples of silence")
os.exit (0)
