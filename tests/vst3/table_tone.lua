ardour {
	["type"]    = "dsp",
	name        = "Vorra Table Tone",
	category    = "Instrument",
	license     = "MIT",
	author      = "Vorra",
	description = [[A test tone that is the same in every run: one 64-sample sine period (750 Hz at 48 kHz, peak 0.25) replayed from a table computed once, starting at the table's start when the transport starts to roll; silence while it stands.]]
}

function dsp_ioconfig ()
	return { [1] = { audio_in = -1, audio_out = -1}, }
end

local table_of_sine = {}
local position = 0

function dsp_init (rate)
	for i = 1, 64 do table_of_sine[i] = 0.25 * math.sin(2 * math.pi * (i - 1) / 64) end
end

function dsp_run (ins, outs, n_samples)
	local block = {}
	if Session:transport_rolling () then
		for s = 1, n_samples do
			block[s] = table_of_sine[position + 1]
			position = (position + 1) % 64
		end
	else
		for s = 1, n_samples do block[s] = 0 end
		position = 0
	end
	for c = 1, #outs do outs[c]:set_table(block, n_samples) end
end
