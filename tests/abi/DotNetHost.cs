// .NET host: calls DLV through P/Invoke with the declarations that the README
// shows, runs the calculations that the C host prints under the "dotnet_"
// keys, and prints its results in the same format (value/check lines) so
// that windows_check.sh can compare the two. Run it in an empty directory:
// dlv_calCSharp must leave no log file behind.
//
//   mcs -out:DotNetHost.exe DotNetHost.cs
//   LD_LIBRARY_PATH=<dir of libDLV.so> mono DotNetHost.exe
using System;
using System.Globalization;
using System.IO;
using System.Runtime.InteropServices;

static class Dlv
{
    // "DLV" is DLV.dll on Windows and libDLV.so on Linux (mono).
    const string Library = "DLV";

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern int dlv_calCSharp(
        [In, Out] double[] layerFluids,       // 1426 doubles
        [In] double[] separatorConditions,    // 2 doubles
        [In, Out] double[] wellRecord,        // 2008 doubles
        ref int calcMode,                     // 0 oil, 1 gas, 2 water injection, 3 gas injection
        [In, Out] double[] completionBlock,   // 402 doubles
        [In, Out] double[] traverseBlock,     // 1611 doubles (12888 bytes)
        [In, Out] double[] wellSummary);      // 150 doubles

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern double dlvCalcVogel(ref double reservoirPressure, ref double testRate,
                                             ref double testPressure, ref double bubblePoint);

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern double dlvGetResultRate_PrsArrays([Out] double[] rates,
                                                           [Out] double[] pressures);

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern double test64bitdlv(ref double value);
}

// The blocks of one calculation, with the integer fields poked at their byte
// positions as the library's block layout places them.
class Well
{
    public double[] Fluids = new double[1426];
    public double[] Separator = new double[2];
    public double[] Record = new double[2008];
    public int Mode;
    public double[] Completion = new double[402];
    public double[] Traverse = new double[12888 / 8];
    public double[] Summary = new double[150];

    public static void PutInt32(double[] block, int byteOffset, int value)
    {
        Buffer.BlockCopy(BitConverter.GetBytes(value), 0, block, byteOffset, 4);
    }

    public static void PutByte(double[] block, int byteOffset, byte value)
    {
        Buffer.SetByte(block, byteOffset, value);
    }

    // One layer with correlation fluids; the same well as the C host's.
    public Well(int mode)
    {
        Mode = mode;
        PutInt32(Record, 16, 1); // layer_count
        PutInt32(Fluids, 0, 1);  // fluid_type: correlations
        Separator[0] = 100.0;
        Separator[1] = 80.0;
        Fluids[25] = 35.0;   // API gravity
        Fluids[75] = 0.2;    // water cut
        Fluids[175] = 1.05;  // water SG
        Fluids[225] = 0.7;   // gas SG
        Fluids[325] = 500.0; // producing GOR
        Record[3] = 180.0;   // temperature
        Record[53] = 50.0;   // permeability
        Record[103] = 30.0;  // thickness
        Record[153] = 1000.0; // drainage radius
        Record[203] = 0.354;  // wellbore radius
        Record[303] = 2400.0; // reservoir pressure
    }

    public int Run()
    {
        return Dlv.dlv_calCSharp(Fluids, Separator, Record, ref Mode, Completion, Traverse, Summary);
    }
}

static class DotNetHost
{
    static int failures = 0;

    static string Format(double v)
    {
        if (double.IsNaN(v)) return "nan";
        if (double.IsPositiveInfinity(v)) return "inf";
        if (double.IsNegativeInfinity(v)) return "-inf";
        return v.ToString("G17", CultureInfo.InvariantCulture);
    }

    static void Values(string prefix, double[] v)
    {
        for (int i = 0; i < v.Length; ++i) Console.WriteLine("value {0}[{1}] {2}", prefix, i, Format(v[i]));
    }

    static void Check(string name, bool ok, string detail)
    {
        if (ok)
        {
            Console.WriteLine("check {0} ok", name);
        }
        else
        {
            ++failures;
            Console.WriteLine("check {0} FAIL {1}", name, detail);
        }
    }

    static int Main()
    {
        try
        {
            double probe = 1.5;
            double r = Dlv.test64bitdlv(ref probe);
            Check("dotnet.test64bitdlv", r == 96.0, "returned " + Format(r));

            double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0;
            double qmax = Dlv.dlvCalcVogel(ref pr, ref q, ref pwf, ref pb);
            double[] rates = new double[25], pressures = new double[25];
            double n = Dlv.dlvGetResultRate_PrsArrays(rates, pressures);
            Check("dotnet.quick_arrays", n == 25.0 && rates[24] == qmax, "returned " + Format(n));
            Console.WriteLine("value dotnet_quick.qmax {0}", Format(qmax));
            Values("dotnet_quick.rates", rates);
            Values("dotnet_quick.pressures", pressures);

            Well vogel = new Well(0);
            Well.PutInt32(vogel.Record, 0, 2);       // method_code 2: Vogel
            Well.PutInt32(vogel.Record, 407 * 8, 1); // test_count
            vogel.Record[408] = 1000.0;
            vogel.Record[508] = 1800.0;
            Check("dotnet.vogel_returns_1", vogel.Run() == 1, "");
            Values("dotnet_vogel.summary", vogel.Summary);
            Values("dotnet_vogel.fluids", vogel.Fluids);
            Values("dotnet_vogel.well", vogel.Record);

            Well gas = new Well(1);
            Well.PutInt32(gas.Record, 4, 1);       // gas_method 1: back-pressure fit
            Well.PutInt32(gas.Record, 407 * 8, 4); // test_count
            double[] testRates = { 1200.0, 2100.0, 2800.0, 3300.0 };
            double[] testPressures = { 2200.0, 1950.0, 1700.0, 1450.0 };
            for (int k = 0; k < 4; ++k)
            {
                gas.Record[408 + k] = testRates[k];
                gas.Record[508 + k] = testPressures[k];
            }
            Well.PutByte(gas.Record, 2007 * 8 + 4, 0); // C fitted
            Well.PutByte(gas.Record, 2007 * 8 + 5, 0); // n fitted
            Check("dotnet.gas_returns_1", gas.Run() == 1, "");
            Values("dotnet_gas.summary", gas.Summary);
            Values("dotnet_gas.fluids", gas.Fluids);
            Values("dotnet_gas.well", gas.Record);

            string[] left = Directory.GetFileSystemEntries(".");
            Check("dotnet.no_log_file", left.Length == 0, "found " + string.Join(", ", left));
        }
        catch (Exception e)
        {
            Check("dotnet.calls", false, e.GetType().Name + ": " + e.Message);
        }
        Console.WriteLine("# end, {0} failed", failures);
        return failures == 0 ? 0 : 1;
    }
}
