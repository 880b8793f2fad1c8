-- ardour7-lua session.lua: runs a stereo float WAV through the LV2 plug-in in a headless Ardour
-- session (dummy backend) and writes what came out of the plug-in. One track's chain is
--   Vorra Test Player > the plug-in, by URI > Vorra Test Recorder
-- (Lua DSP scripts in $XDG_CONFIG_HOME/ardour7/scripts): Ardour's Lua has no file import
-- outside its GUI, so the player feeds the file by transport position and the recorder keeps
-- what the plug-in wrote, next to it, before the fader.
-- Before each pass rolls, the plug-in runs 100 periods of the silence the player gives while
-- the transport stands, so that its settings have settled as after vorra-render's pre-roll.
-- Environment: VORRA_SESSION_DIR (new), VORRA_URI, VORRA_INPUT, VORRA_OUTPUT_PREFIX (writes
-- PREFIX-<pass>.wav), VORRA_PASSES = "name:preset=LABEL;name:bypass;...".
-- Prints "RESULT ..." lines; on failure "ERROR ..." and exit status 1.

local function die(message) print("ERROR " .. message) io.stdout:flush() os.exit(1) end
local function env(name)
	local value = os.getenv(name)
	if not value or value == "" then die("missing " .. name) end
	return value
end

local function read_wav(path)
	local file = io.open(path, "rb") or die("cannot open " .. path)
	local bytes = file:read("a") file:close()
	if bytes:sub(1, 4) ~= "RIFF" or bytes:sub(9, 12) ~= "WAVE" then die(path .. " is no WAV file") end
	local at, format, data = 13, nil, nil
	while at + 8 <= #bytes do
		local id, length = bytes:sub(at, at + 3), string.unpack("<I4", bytes, at + 4)
		if id == "fmt " then format = { string.unpack("<I2I2I4I4I2I2", bytes, at + 8) }
		elseif id == "data" then data = { at + 8, length } end
		at = at + 8 + length + (length % 2)
	end
	if not format or not data then die(path .. ": no fmt or data chunk") end
	local tag, channels, rate, bits = format[1], format[2], format[3], format[6]
	if not (tag == 3 or tag == 0xFFFE) or channels ~= 2 or bits ~= 32 then die(path .. ": not stereo 32-bit float") end
	local frames = data[2] // 8
	local samples, position = {}, data[1]
	for i = 1, 2 * frames do samples[i], position = string.unpack("<f", bytes, position) end
	return samples, frames, rate
end

local function write_wav(path, samples, frames, rate)
	local parts = { "RIFF", string.pack("<I4", 36 + 8 * frames), "WAVE",
		"fmt ", string.pack("<I4I2I2I4I4I2I2", 16, 3, 2, rate, rate * 8, 8, 32),
		"data", string.pack("<I4", 8 * frames) }
	for i = 1, 2 * frames do parts[#parts + 1] = string.pack("<f", samples[i]) end
	local file = io.open(path, "wb") or die("cannot write " .. path)
	file:write(table.concat(parts)) file:close()
end

local start = ARDOUR.LuaAPI.monotonic_time()
local function ms() return (ARDOUR.LuaAPI.monotonic_time() - start) // 1000 end
local function wait(condition, seconds, what)
	local deadline = ms() + seconds * 1000
	while not condition() do
		if ms() > deadline then die("timeout: " .. what) end
		ARDOUR.LuaAPI.usleep(20000)
	end
end

local input, frames, rate = read_wav(env("VORRA_INPUT"))
local uri, prefix = env("VORRA_URI"), env("VORRA_OUTPUT_PREFIX")

-- The dummy backend is hidden unless asked for; its period must be set before the session.
ARDOUR.config():set_hide_dummy_backend(false)
if not AudioEngine:set_backend("None (Dummy)", "", "") then die("no dummy backend") end
if AudioEngine:set_buffer_size(512) ~= 0 then die("set_buffer_size 512") end
if AudioEngine:set_sample_rate(rate) ~= 0 then die("set_sample_rate " .. rate) end
if not create_session(env("VORRA_SESSION_DIR"), "vorra", rate) then die("create_session") end
print(string.format("RESULT session created in %d ms, rate %d, block %d", ms(),
	Session:nominal_sample_rate(), Session:get_block_size()))

local tracks = Session:new_audio_track(2, 2, nil, 1, "vorra", ARDOUR.PresentationInfo.max_order,
	ARDOUR.TrackMode.Normal, true)
if tracks:size() ~= 1 then die("new_audio_track") end
local track = tracks:front()
local player = ARDOUR.LuaAPI.new_luaproc(Session, "Vorra Test Player")
local plugin = ARDOUR.LuaAPI.new_plugin(Session, uri, ARDOUR.PluginType.LV2, "")
local recorder = ARDOUR.LuaAPI.new_luaproc(Session, "Vorra Test Recorder")
if player:isnil() or recorder:isnil() then die("Lua DSP scripts not found") end
if plugin:isnil() then die("LV2 plug-in not found: " .. uri) end
for i, processor in ipairs({ player, plugin, recorder }) do
	if track:add_processor_by_index(processor, i - 1, nil, true) ~= 0 then die("add_processor_by_index") end
end
local insert = plugin:to_insert():plugin(0)
print(string.format("RESULT plug-in '%s', %d parameters", insert:name(), insert:parameter_count()))

local feed = player:to_insert():plugin(0):to_luaproc():shmem()
local feedData = feed:to_float(1):array()
for i = 1, 2 * frames do feedData[i] = input[i] end
feed:atomic_set_int(0, frames)
local kept = recorder:to_insert():plugin(0):to_luaproc():shmem()

local function run_pass(name, setting)
	if setting == "bypass" then
		plugin:deactivate()
	else
		plugin:activate()
		local label = setting:match("^preset=(.*)$") or die("unknown setting " .. setting)
		local preset = insert:preset_by_label(label)
		if not preset or preset.uri == "" then die("no preset " .. label) end
		if not insert:load_preset(preset) then die("load_preset " .. label) end
	end
	-- A locate asked for while the transport still stops is lost: wait for rest at 0 first.
	local tries = 0
	wait(function()
		if tries % 25 == 0 then
			Session:request_locate(0, false, ARDOUR.LocateTransportDisposition.MustStop,
				ARDOUR.TransportRequestSource.TRS_UI)
		end
		tries = tries + 1
		return not Session:transport_rolling() and Session:transport_sample() == 0
	end, 10, "transport at rest at 0 before pass " .. name)
	local calls = kept:atomic_get_int(1)
	wait(function() return kept:atomic_get_int(1) >= calls + 100 end, 30, "settling before pass " .. name)
	kept:clear()
	local began = ms()
	Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
	wait(function() return kept:atomic_get_int(0) >= frames end, 10 + 3 * frames // rate, "pass " .. name)
	Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
	wait(function() return not Session:transport_rolling() end, 10, "stop after pass " .. name)
	local keptData = kept:to_float(2):array()
	local output = {}
	for i = 1, 2 * frames do output[i] = keptData[i] end
	write_wav(prefix .. "-" .. name .. ".wav", output, frames, rate)
	local values = {}
	for i = 0, 5 do values[#values + 1] = string.format("%g", ARDOUR.LuaAPI.get_processor_param(plugin, i)) end
	print(string.format("RESULT pass %s: %s, plug-in %s, values %s, %d frames in %d ms", name, setting,
		plugin:active() and "active" or "bypassed", table.concat(values, ","), frames, ms() - began))
end

for name, setting in env("VORRA_PASSES"):gmatch("([%w_]+):([^;]*)") do run_pass(name, setting) end
close_session()
print(string.format("RESULT done in %d ms", ms()))
