using System;
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
    public static extern double dlvCalcPI(ref double reservoirPressure, ref double productivityIndex);

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern double dlvGetResultRate_PrsArrays([Out] double[] rates,
                                                           [Out] double[] pressures);

    [DllImport(Library, CallingConvention = CallingConvention.Cdecl)]
    public static extern double test64bitdlv(ref double value);
}

static class VogelWell
{
    static void PutInt32(double[] block, int byteOffset, int value) =>
        Buffer.BlockCopy(BitConverter.GetBytes(value), 0, block, byteOffset, 4);

    static void Main()
    {
        double probe = 1.5;
        if (Dlv.test64bitdlv(ref probe) != 96.0) throw new Exception("not the 64-bit DLV");

        var fluids = new double[1426]; var separator = new double[] { 100.0, 80.0 };
        var well = new double[2008]; var completion = new double[402];
        var traverse = new double[1611]; var summary = new double[150];
        int mode = 0;                              // DLV_MODE_OIL_PRODUCTION
        PutInt32(fluids, 0, 1);                    // fluid_type 1: correlations
        fluids[25] = 35.0; fluids[75] = 0.2;       // api_gravity, water_cut of layer 0
        fluids[175] = 1.05; fluids[225] = 0.7;     // water_sg, gas_sg
        fluids[325] = 500.0;                       // producing_gor, scf/STB
        PutInt32(well, 0, 2);                      // method_code: DLV_OIL_METHOD_VOGEL
        PutInt32(well, 16, 1);                     // layer_count 1
        PutInt32(well, 407 * 8, 1);                // test_count 1
        well[3] = 180.0; well[303] = 2400.0;       // layer_temperature degF, reservoir_pressure psi
        well[408] = 1000.0; well[508] = 1800.0;    // test_rate STB/d, test_pressure psi
        Dlv.dlv_calCSharp(fluids, separator, well, ref mode, completion, traverse, summary);
        // summary[0..24]: rates, [25..49]: flowing pressures, [50..74]: drawdown, ...
        for (int i = 0; i < 25; i += 8)
            Console.WriteLine(string.Format(System.Globalization.CultureInfo.InvariantCulture,
                "{0,8:F1} STB/d at {1,7:F1} psi gauge", summary[i], summary[25 + i]));
        Console.WriteLine(string.Format(System.Globalization.CultureInfo.InvariantCulture,
            "bubble point {0:F1} psi gauge", fluids[825]));
    }
}
